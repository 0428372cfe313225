#include "tests/support/testenv.h"
#include "tests/ui/main/windowfixture.h"
#include "ui/toolbar/speedbar.h"
#include "ui/toolbar/speedsetupwindow.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>

// The customize dialog opened from the main window's menus.
class TestSpeedBarWindow : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init() { resetConfiguration(); }

    void customizeFromToolsThenFromTheToolbarPopupBringsTheSameDialogForward() {
        WindowFixture f;
        SpeedBar* bar = f.window->speedBar();
        QCOMPARE(bar->layoutSection(), QStringLiteral("TfrmMainSpeedBar1"));
        clickMenuItem(f.window->menuBar(), QStringLiteral("&Tools"),
                      QStringLiteral("&Customize Toolbar..."));
        QPointer<SpeedbarSetupWindow> dialog =
            qobject_cast<SpeedbarSetupWindow*>(bar->customizeDialog());
        QVERIFY(dialog);
        QVERIFY(dialog->isVisible());
        dialog->sectionList()->setCurrentRow(4);
        dialog->showMinimized();
        QTRY_VERIFY(dialog->isMinimized());

        const QPoint surface(bar->width() - 20, 10);
        QVERIFY(!bar->childAt(surface));
        QContextMenuEvent rightClick(QContextMenuEvent::Mouse, surface, bar->mapToGlobal(surface));
        QApplication::sendEvent(bar, &rightClick);
        QMenu* popup = f.window->popupMenu(PopupMenu::Toolbar);
        QTRY_VERIFY(popup->isVisible());
        QAction* customize = findAction(popup->actions(), QStringLiteral("Customize"));
        QVERIFY(customize);
        QTest::mouseClick(popup, Qt::LeftButton, {}, popup->actionGeometry(customize).center());
        QTRY_VERIFY(!popup->isVisible());

        QCOMPARE(bar->customizeDialog(), static_cast<QDialog*>(dialog.data()));
        QVERIFY(!dialog->isMinimized());
        QCOMPARE(dialog->sectionList()->currentRow(), 4);
        QCOMPARE(f.window->findChildren<SpeedbarSetupWindow*>().size(), 1);

        f.window->close();
        QTRY_VERIFY(!dialog);
        QVERIFY(!bar->isCustomizing());
    }
};

SONDRIX_TEST_MAIN(TestSpeedBarWindow)
#include "tst_speedbarwindow.moc"
