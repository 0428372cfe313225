#include "playback/playbackcontrol.h"
#include "tests/support/testenv.h"
#include "tests/support/wavfiles.h"
#include "tests/ui/main/windowfixture.h"
#include "ui/browse/listbox.h"
#include "ui/dialogs/qtprompt.h"
#include "ui/main/appnames.h"
#include "ui/toolbar/speedbar.h"

#include <QAbstractItemView>
#include <QAction>
#include <QCompleter>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

// What a person reads and picks in the window's own texts: captions, the View menu's check mark,
// the folders the file dialogs start in and the save dialog's refusal of a missing folder.
class TestWindowText : public QObject {
    Q_OBJECT

    // Opens the menu holding `item` by a click on the menu bar, then clicks the item.
    static void clickMenuItem(TfrmMain& w, QAction* item) {
        QMenu* menu = nullptr;
        for (QAction* top : w.menuBar()->actions())
            if (top->menu() && top->menu()->actions().contains(item))
                menu = top->menu();
        QVERIFY(menu);
        QTest::mouseClick(w.menuBar(), Qt::LeftButton, {},
                          w.menuBar()->actionGeometry(menu->menuAction()).center());
        QTRY_VERIFY(menu->isVisible());
        QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(item).center());
        QTRY_VERIFY(!menu->isVisible());
    }

    // Runs `show` while a timer reads the caption of the modal box it opens and closes it by key.
    static QString captionOfBox(const std::function<void()>& show, Qt::Key closeKey) {
        QString caption;
        QTimer::singleShot(0, [&] {
            QWidget* box = QApplication::activeModalWidget();
            QVERIFY(box);
            caption = box->windowTitle();
            QTest::keyClick(box, closeKey);
        });
        show();
        return caption;
    }

private Q_SLOTS:
    void cleanup() { resetConfiguration(); }

    // Rounded to hundredths before the minutes are split off: never "1:60.00".
    void aLengthJustUnderTwoMinutesReadsTwoMinutes() {
        WindowFixture f;
        // 119,996 frames at 1000 Hz: 119,996 ms in a small file.
        QVERIFY(writeTone(f.filePath("long.wav"), ToneSpec{1000, 1, 0, 119.9965, 100.0}));
        f.showFiles({"long.wav"});
        WindowFixture::click(f.window->lbWavs(), 0);
        QCOMPARE(f.window->playback()->player().length(), 119996);
        QCOMPARE(f.window->statusPanel(1)->text(), QStringLiteral("2:0.00"));
    }

    void toolbarCheckMarkFollowsTheToolbar() {
        WindowFixture f;
        TfrmMain& w = *f.window;
        QAction* item = w.action(CommandId::ViewToolbar);
        QVERIFY(item->isChecked());
        QVERIFY(w.speedBar()->isVisible());
        clickMenuItem(w, item);
        QVERIFY(!w.speedBar()->isVisible());
        QVERIFY(!item->isChecked());
        clickMenuItem(w, item);
        QVERIFY(w.speedBar()->isVisible());
        QVERIFY(item->isChecked());
    }

    void toolkitAppendsNoApplicationName() {
        nameApplication();
        QCOMPARE(QCoreApplication::applicationName(), QStringLiteral("Sondrix"));
        // The display name follows the application name only while none was set; a set one
        // would be appended to every window title and box caption.
        QCoreApplication::setApplicationName(QStringLiteral("probe"));
        QCOMPARE(QGuiApplication::applicationDisplayName(), QStringLiteral("probe"));
        nameApplication();
    }

    void boxesCarryTheirOwnCaptions() {
        nameApplication();
        QWidget parent;
        parent.show();
        QtPrompt prompt(&parent);
        QCOMPARE(
            captionOfBox([&] { prompt.confirm(QStringLiteral("Sure?"), true); }, Qt::Key_Escape),
            QStringLiteral("Confirm"));
        QCOMPARE(captionOfBox([&] { prompt.error(QStringLiteral("Bad.")); }, Qt::Key_Return),
                 QStringLiteral("Error"));
        QCOMPARE(captionOfBox([&] { prompt.information(QStringLiteral("Note.")); }, Qt::Key_Return),
                 QStringLiteral("Information"));
        QCOMPARE(captionOfBox([&] { prompt.failure(QStringLiteral("Broken.")); }, Qt::Key_Return),
                 QStringLiteral("Sondrix 3"));
    }

    void windowTitleNamesThePlaylistFile() {
        WindowFixture f;
        const QString file = f.filePath(QStringLiteral("party.sxp"));
        QFile sxp(file);
        QVERIFY(sxp.open(QIODevice::WriteOnly));
        sxp.write("/a.wav\r\n");
        sxp.close();
        QCOMPARE(f.window->windowTitle(), QStringLiteral("Sondrix"));
        f.prompt.fileNames = {file};
        QTest::keyClick(f.window, Qt::Key_O, Qt::ControlModifier);
        QCOMPARE(f.window->windowTitle(), QStringLiteral("Sondrix - party.sxp"));
    }

    void playlistDialogsStartInTheHomeDirectory() {
        WindowFixture f;
        const QString home = QDir::homePath() + QLatin1Char('/');
        QVERIFY(home != QCoreApplication::applicationDirPath() + QLatin1Char('/'));
        QTest::keyClick(f.window, Qt::Key_O, Qt::ControlModifier);
        QTest::keyClick(f.window, Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(f.prompt.dialogs.size(), 2);
        QCOMPARE(f.prompt.dialogs.at(0).initialDirectory, home);
        QCOMPARE(f.prompt.dialogs.at(1).initialDirectory, home);
    }

    void saveDialogRefusesAMissingFolder_data() {
        QTest::addColumn<QString>("typed"); // in the dialog's folder, the temporary one
        QTest::addColumn<bool>("refused");
        QTest::newRow("existing folder") << "x.sxp" << false;
        QTest::newRow("missing folder") << "missing/x.sxp" << true;
    }
    void saveDialogRefusesAMissingFolder() {
        QFETCH(QString, typed);
        QFETCH(bool, refused);
        QTemporaryDir folder;
        QWidget parent;
        parent.show();
        QtPrompt prompt(&parent);
        QString refusal;
        bool stayedOpen = false;
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            auto* edit = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
            QVERIFY(edit);
            QTest::keyClicks(edit, typed);
            QWidget* completions = edit->completer() ? edit->completer()->popup() : nullptr;
            if (completions && completions->isVisible()) // a click elsewhere only closes it
                QTest::keyClick(completions, Qt::Key_Escape);
            QCOMPARE(edit->text(), typed);
            QTimer::singleShot(50, [&] { // the refusal box, if one comes
                auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
                if (!box)
                    return;
                refusal = box->text();
                QTest::keyClick(box, Qt::Key_Return);
            });
            auto* buttons = dialog->findChild<QDialogButtonBox*>();
            QVERIFY(buttons);
            QPushButton* save = buttons->button(QDialogButtonBox::Save);
            QVERIFY(save && save->isEnabled());
            QTest::mouseClick(save, Qt::LeftButton);
            QTest::qWait(100);
            stayedOpen = dialog->isVisible();
            if (stayedOpen)
                QTest::keyClick(dialog, Qt::Key_Escape);
        });
        Prompt::FileDialog spec;
        spec.title = QStringLiteral("Save Playlist");
        spec.defaultSuffix = QStringLiteral("sxp");
        spec.initialDirectory = folder.path();
        spec.confirmOverwrite = true;
        const QString chosen = prompt.saveFileName(spec);
        QCOMPARE(stayedOpen, refused);
        QCOMPARE(!refusal.isEmpty(), refused);
        if (refused) {
            QVERIFY(chosen.isEmpty());
            QVERIFY(refusal.contains(QStringLiteral("missing")));
        } else {
            QCOMPARE(chosen, folder.filePath(typed));
        }
    }
};

SONDRIX_TEST_MAIN(TestWindowText)
#include "tst_windowtext.moc"
