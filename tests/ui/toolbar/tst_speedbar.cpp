#include "base/inistore.h"
#include "tests/support/testenv.h"
#include "ui/main/commandtable.h"
#include "ui/toolbar/speedbar.h"
#include "ui/toolbar/speedbardock.h"
#include "ui/toolbar/speedsetupwindow.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QToolButton>

namespace {

constexpr QSize kButton(24, 23);

// A window whose client area holds the bar at the top and some content below it.
struct Host {
    Host() {
        window.setObjectName(QStringLiteral("host"));
        bar = new SpeedBar(firstRunToolbar());
        bar->setObjectName(QStringLiteral("SpeedBar1"));
        bar->setCustomizeDialogMaker(
            [b = bar](int helpTopic) { return new SpeedbarSetupWindow(b, helpTopic); });
        dock = new SpeedBarDock(bar, new QWidget, &window);
        window.setGeometry(0, 0, 500, 300);
        dock->setGeometry(window.rect());
        window.show();
    }
    QWidget window;
    SpeedBar* bar;
    SpeedBarDock* dock;
};

QPoint place(const SpeedBar* bar, const QString& name) {
    const SpeedItem* item = bar->layout().find(name);
    return item ? QPoint(item->left, item->top) : QPoint(-1, -1);
}

// Moves a bar button in customize mode as a person does: press it, move, and let go with the
// floating image's top-left corner at `corner` (bar coordinates).
void moveButton(SpeedBar* bar, const QString& name, QPoint corner) {
    QTest::mousePress(bar->button(name), Qt::LeftButton, {}, QPoint(5, 5));
    const QPoint pointer = corner + QPoint(kButton.width(), kButton.height());
    QTest::mouseMove(bar, pointer - QPoint(10, 10));
    QTest::mouseMove(bar, pointer);
    QTest::mouseRelease(bar, Qt::LeftButton, {}, pointer);
}

void clickRow(QListWidget* list, int row) {
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualItemRect(list->item(row)).center());
}

int rowOf(QListWidget* list, const QString& name) {
    for (int row = 0; row < list->count(); ++row)
        if (list->item(row)->data(Qt::UserRole).toString() == name)
            return row;
    return -1;
}

} // namespace

// The toolbar widget: customize mode, moving buttons, the customize dialog and the bar drag,
// driven by mouse and keyboard events on the real widgets.
class TestSpeedBar : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    QString path() const { return m_dir.filePath(QStringLiteral("Sondrix.ini")); }

    static SpeedbarSetupWindow* openDialog(SpeedBar* bar) {
        bar->OpenCustomizeDialog(0);
        auto* dialog = qobject_cast<SpeedbarSetupWindow*>(bar->customizeDialog());
        if (dialog && !QTest::qWaitForWindowExposed(dialog))
            return nullptr;
        return dialog;
    }

private Q_SLOTS:
    void init() { QFile::remove(path()); }

    void dialogShowsItsParts() {
        Host host;
        SpeedbarSetupWindow* dialog = openDialog(host.bar);
        QVERIFY(dialog);
        QCOMPARE(dialog->windowTitle(), QStringLiteral("Customize Speedbar"));
        QCOMPARE(dialog->size(), QSize(421, 262));
        QVERIFY(!dialog->isModal());
        QVERIFY(dialog->windowFlags() & Qt::WindowStaysOnTopHint);
        QVERIFY(!dialog->findChild<QPushButton*>(QStringLiteral("HelpBtn"))->isVisible());
        QCOMPARE(dialog->findChild<QPushButton*>(QStringLiteral("CloseBtn"))->text(),
                 QStringLiteral("OK"));
        QCOMPARE(dialog->hintLabel()->text(),
                 QStringLiteral("To add command buttons, drag and drop buttons onto the SpeedBar. "
                                "To remove command buttons, drag them off of the SpeedBar."));
        QCOMPARE(dialog->sectionList()->count(), 5);
        QCOMPARE(dialog->sectionList()->currentItem()->text(), QStringLiteral("File"));
        QCOMPARE(dialog->buttonsList()->count(), 3);
        QCOMPARE(dialog->buttonsList()->visualItemRect(dialog->buttonsList()->item(0)).height(),
                 kButton.height() + 2);
        QCOMPARE(dialog->sectionList()->visualItemRect(dialog->sectionList()->item(0)).height(),
                 SpeedbarSetupWindow::kSectionRowHeight);

        clickRow(dialog->sectionList(), 2);
        QCOMPARE(dialog->buttonsList()->count(), 3);
        clickRow(dialog->buttonsList(), 2);
        QCOMPARE(dialog->hintLabel()->text(),
                 QStringLiteral("Stop the currently playing WAV or playlist."));
    }

    void customizeModeShowsEveryButtonEnabledAndRaisedAndRunsNothing() {
        Host host;
        QAction newPlaylist;
        QSignalSpy runs(&newPlaylist, &QAction::triggered);
        host.bar->setItemAction(QStringLiteral("sbNew"), &newPlaylist);
        host.bar->setItemEnabled(QStringLiteral("sbCopy"), false);
        QToolButton* copy = host.bar->button(QStringLiteral("sbCopy"));
        QToolButton* create = host.bar->button(QStringLiteral("sbNew"));
        QVERIFY(!copy->isEnabled());
        QVERIFY(create->autoRaise());
        QTest::mouseClick(create, Qt::LeftButton);
        QCOMPARE(runs.size(), 1);

        QVERIFY(openDialog(host.bar));
        QVERIFY(copy->isEnabled());
        QVERIFY(!copy->autoRaise());
        QVERIFY(!host.bar->isItemEnabled(QStringLiteral("sbCopy")));
        // A click is a move that lets go where it started.
        moveButton(host.bar, QStringLiteral("sbNew"), QPoint(3, 3));
        QCOMPARE(runs.size(), 1);
        QCOMPARE(place(host.bar, QStringLiteral("sbNew")), QPoint(3, 3));
        QVERIFY(create->isVisible());
    }

    void closingGivesEachButtonItsCommandStateAsItIsThen_data() {
        QTest::addColumn<bool>("throughActions");
        QTest::addColumn<QString>("closeBy");
        QTest::newRow("rules, OK") << false << "OK";
        QTest::newRow("rules, Esc") << false << "Esc";
        QTest::newRow("actions, OK") << true << "OK";
        QTest::newRow("actions, window closed") << true << "window";
    }
    void closingGivesEachButtonItsCommandStateAsItIsThen() {
        QFETCH(bool, throughActions);
        QFETCH(QString, closeBy);
        Host host;
        QAction copy, move;
        const auto setState = [&](const QString& name, QAction& action, bool enabled) {
            if (throughActions)
                action.setEnabled(enabled);
            else
                host.bar->setItemEnabled(name, enabled);
        };
        if (throughActions) {
            host.bar->setItemAction(QStringLiteral("sbCopy"), &copy);
            host.bar->setItemAction(QStringLiteral("sbMove"), &move);
        }
        setState(QStringLiteral("sbCopy"), copy, false);
        QPointer<SpeedbarSetupWindow> dialog = openDialog(host.bar);
        QVERIFY(dialog);
        // The selection changes while the dialog is open: Move is disabled, Copy enabled.
        setState(QStringLiteral("sbMove"), move, false);
        setState(QStringLiteral("sbCopy"), copy, true);
        QVERIFY(host.bar->button(QStringLiteral("sbMove"))->isEnabled());
        if (closeBy == QLatin1String("OK"))
            QTest::mouseClick(dialog->findChild<QPushButton*>(QStringLiteral("CloseBtn")),
                              Qt::LeftButton);
        else if (closeBy == QLatin1String("Esc"))
            QTest::keyClick(dialog->sectionList(), Qt::Key_Escape);
        else
            host.window.close();
        QTRY_VERIFY(!dialog);
        QVERIFY(!host.bar->isCustomizing());
        QVERIFY(!host.bar->button(QStringLiteral("sbMove"))->isEnabled());
        QVERIFY(host.bar->button(QStringLiteral("sbCopy"))->isEnabled());
        QVERIFY(host.bar->button(QStringLiteral("sbMove"))->autoRaise());
    }

    void buttonsSnapToTheGridAlongTheBar_data() {
        QTest::addColumn<int>("dropLeft");
        QTest::addColumn<int>("snappedLeft");
        QTest::newRow("3 right goes back") << 238 << 235;
        QTest::newRow("5 right goes next") << 240 << 243;
        QTest::newRow("half a step at 7 goes to 3") << 7 << 3;
        QTest::newRow("half a step at 15 goes to 19") << 15 << 19;
    }
    void buttonsSnapToTheGridAlongTheBar() {
        QFETCH(int, dropLeft);
        Host host;
        QVERIFY(openDialog(host.bar));
        QSignalSpy moved(host.bar, &SpeedBar::buttonMoved);
        moveButton(host.bar, QStringLiteral("sbOpen"), QPoint(dropLeft, 10));
        QFETCH(int, snappedLeft);
        const QPoint expected(snappedLeft, 3);
        QCOMPARE(place(host.bar, QStringLiteral("sbOpen")), expected);
        QToolButton* open = host.bar->button(QStringLiteral("sbOpen"));
        QVERIFY(open->isVisible());
        QCOMPARE(open->pos(), expected);
        QCOMPARE(moved.size(), 1);
        // In front of the button it overlaps.
        QCOMPARE(host.bar->childAt(expected + QPoint(2, 2)), open);
    }

    void buttonDraggedOffTheBarHidesAndComesBackFromItsCategory() {
        Host host;
        SpeedbarSetupWindow* dialog = openDialog(host.bar);
        QVERIFY(dialog);
        dialog->move(370, 330); // away from the bar
        QSignalSpy changed(host.bar, &SpeedBar::buttonsChanged);
        moveButton(host.bar, QStringLiteral("sbDelete"), QPoint(155, 120));
        QVERIFY(!host.bar->layout().find(QStringLiteral("sbDelete"))->visible);
        QVERIFY(!host.bar->button(QStringLiteral("sbDelete"))->isVisible());
        QCOMPARE(changed.size(), 1);

        clickRow(dialog->sectionList(), 1); // "Edit"
        QListWidget* buttons = dialog->buttonsList();
        const int row = rowOf(buttons, QStringLiteral("sbDelete"));
        QVERIFY(row >= 0);
        const QRect rowRect = buttons->visualItemRect(buttons->item(row));
        const QPoint pressAt = rowRect.topLeft() + QPoint(kButton.width(), 5); // on the picture
        QTest::mousePress(buttons->viewport(), Qt::LeftButton, {}, pressAt);
        const QPoint pointer = host.bar->mapToGlobal(QPoint(238, 3) + QPoint(24, 23));
        QTest::mouseMove(buttons->viewport(), buttons->viewport()->mapFromGlobal(pointer));
        QCOMPARE(buttons->currentRow(), row); // no other row is selected meanwhile
        QTest::mouseRelease(buttons->viewport(), Qt::LeftButton, {},
                            buttons->viewport()->mapFromGlobal(pointer));
        QVERIFY(host.bar->layout().find(QStringLiteral("sbDelete"))->visible);
        QCOMPARE(place(host.bar, QStringLiteral("sbDelete")), QPoint(235, 3));
        QVERIFY(host.bar->button(QStringLiteral("sbDelete"))->isVisible());
        QCOMPARE(buttons->currentRow(), row); // the refreshed list keeps its selection

        // On the bar already: no second drag, and the no-drop pointer while held.
        QTest::mousePress(buttons->viewport(), Qt::LeftButton, {}, pressAt);
        QVERIFY(QApplication::overrideCursor());
        QCOMPARE(QApplication::overrideCursor()->shape(), Qt::ForbiddenCursor);
        const QPoint elsewhere = host.bar->mapToGlobal(QPoint(300, 3) + QPoint(24, 23));
        QTest::mouseRelease(buttons->viewport(), Qt::LeftButton, {},
                            buttons->viewport()->mapFromGlobal(elsewhere));
        QVERIFY(!QApplication::overrideCursor());
        QCOMPARE(place(host.bar, QStringLiteral("sbDelete")), QPoint(235, 3));
    }

    void dragFromTheCaptionOrOffTheBarPlacesNothing() {
        Host host;
        SpeedbarSetupWindow* dialog = openDialog(host.bar);
        QVERIFY(dialog);
        dialog->move(370, 330);
        clickRow(dialog->sectionList(), 2); // "Controls": none on the bar
        QListWidget* buttons = dialog->buttonsList();
        const QRect rowRect = buttons->visualItemRect(buttons->item(0));
        const QPoint onBar = host.bar->mapToGlobal(QPoint(300, 3) + QPoint(24, 23));
        const QPoint toBar = buttons->viewport()->mapFromGlobal(onBar);
        // From the caption: just a selection.
        QTest::mousePress(buttons->viewport(), Qt::LeftButton, {},
                          rowRect.topLeft() + QPoint(kButton.width() + 2, 5));
        QTest::mouseRelease(buttons->viewport(), Qt::LeftButton, {}, toBar);
        // From the picture, but let go below the bar.
        QTest::mousePress(buttons->viewport(), Qt::LeftButton, {},
                          rowRect.topLeft() + QPoint(3, 5));
        QTest::mouseRelease(
            buttons->viewport(), Qt::LeftButton, {},
            buttons->viewport()->mapFromGlobal(host.bar->mapToGlobal(QPoint(300, 150))));
        QVERIFY(!host.bar->layout().find(QStringLiteral("sbPlay"))->visible);
    }

    void barDraggedToTheLeftTurnsAndIsKeptAfterARestart() {
        IniStore store(path());
        {
            Host host;
            QVERIFY(QTest::qWaitForWindowExposed(&host.window));
            SpeedbarSetupWindow* dialog = openDialog(host.bar);
            QVERIFY(dialog);
            QSignalSpy turned(host.bar, &SpeedBar::buttonSizeChanged);
            const QPoint surface(400, 10);
            QVERIFY(!host.bar->childAt(surface));
            QTest::mousePress(host.bar, Qt::LeftButton, {}, surface);
            QTest::mouseMove(host.bar, surface + QPoint(0, 6));
            auto* outline = host.dock->findChild<QWidget*>(QStringLiteral("barOutline"));
            QVERIFY(outline && outline->isVisible());
            QCOMPARE(outline->geometry(), QRect(0, 0, 500, 29));
            const QPoint leftEdge = host.bar->mapFrom(host.dock, QPoint(5, 150));
            QTest::mouseMove(host.bar, leftEdge);
            QCOMPARE(outline->geometry(), QRect(0, 0, 29, 300));
            QTest::mouseRelease(host.bar, Qt::LeftButton, {}, leftEdge);
            QVERIFY(!outline->isVisible());
            QCOMPARE(host.bar->layout().align, SpeedBarAlign::Left);
            QCOMPARE(turned.size(), 1);
            QTRY_COMPARE(host.bar->geometry(), QRect(0, 0, 29, 300));
            QToolButton* open = host.bar->button(QStringLiteral("sbOpen"));
            QCOMPARE(open->geometry(), QRect(3, 27, 23, 24));
            QListWidget* rows = dialog->buttonsList();
            QCOMPARE(rows->visualItemRect(rows->item(0)).height(), 24 + 2); // re-measured
            host.bar->WriteLayout(store);
        }
        const QString section = QStringLiteral("QWidgetSpeedBar1");
        QCOMPARE(store.readInteger(section, QStringLiteral("Position"), 0), 3);
        QCOMPARE(store.readInteger(section, QStringLiteral("Width"), 0), 29);
        QCOMPARE(store.readInteger(section, QStringLiteral("BtnWidth"), 0), 23);
        QCOMPARE(store.readInteger(section, QStringLiteral("BtnHeight"), 0), 24);
        QCOMPARE(store.readString(section, QStringLiteral("Button2"), {}),
                 QStringLiteral("sbOpen,3,27"));

        Host restarted;
        restarted.bar->ReadLayout(store);
        QCOMPARE(restarted.bar->layout().align, SpeedBarAlign::Left);
        QTRY_COMPARE(restarted.bar->geometry(), QRect(0, 0, 29, 300));
        QCOMPARE(restarted.bar->button(QStringLiteral("sbOpen"))->geometry(), QRect(3, 27, 23, 24));
    }

    void barWithoutANameStoresNothing() {
        SpeedBar bar(firstRunToolbar());
        IniStore store(path());
        bar.WriteLayout(store);
        QVERIFY(!QFile::exists(path()));
        bar.setObjectName(QStringLiteral("SpeedBar1"));
        bar.WriteLayout(store);
        QCOMPARE(store.readInteger(QStringLiteral("SpeedBarSpeedBar1"), QStringLiteral("Count"), 0),
                 9);
    }

    void barDragStartsAtFivePixels_data() {
        QTest::addColumn<QPoint>("moved");
        QTest::addColumn<bool>("starts");
        QTest::newRow("4 right and down") << QPoint(4, 4) << false;
        QTest::newRow("4 left and up") << QPoint(-4, -4) << false;
        QTest::newRow("5 right") << QPoint(5, 0) << true;
        QTest::newRow("5 left") << QPoint(-5, 0) << true;
        QTest::newRow("5 down") << QPoint(0, 5) << true;
        QTest::newRow("5 up") << QPoint(0, -5) << true;
    }
    void barDragStartsAtFivePixels() {
        QFETCH(QPoint, moved);
        QFETCH(bool, starts);
        Host host;
        const QPoint surface(400, 12);
        QTest::mousePress(host.bar, Qt::LeftButton, {}, surface);
        QTest::mouseMove(host.bar, surface + moved);
        auto* outline = host.dock->findChild<QWidget*>(QStringLiteral("barOutline"));
        QCOMPARE(outline && outline->isVisible(), starts);
        QTest::mouseRelease(host.bar, Qt::LeftButton, {}, surface + moved);
        QCOMPARE(host.bar->layout().align, SpeedBarAlign::Top);
        QVERIFY(!QWidget::mouseGrabber());
    }

    void secondCustomizeBringsTheOpenDialogForward() {
        Host host;
        SpeedbarSetupWindow* dialog = openDialog(host.bar);
        QVERIFY(dialog);
        clickRow(dialog->sectionList(), 3);
        dialog->showMinimized();
        QTRY_VERIFY(dialog->isMinimized());
        host.bar->OpenCustomizeDialog(0);
        QCOMPARE(host.bar->customizeDialog(), static_cast<QDialog*>(dialog));
        QVERIFY(!dialog->isMinimized());
        QVERIFY(dialog->isVisible());
        QCOMPARE(dialog->sectionList()->currentRow(), 3);
        QCOMPARE(host.window.findChildren<SpeedbarSetupWindow*>().size(), 1);
    }
};

SONDRIX_TEST_MAIN(TestSpeedBar)
#include "tst_speedbar.moc"
