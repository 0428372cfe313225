// The window driven as a person drives it: mouse presses and releases on the lists' items, the
// popup menus, the keyboard's menu access, and the Enter that closes a message box.
#include "base/configkeys.h"
#include "base/inistore.h"
#include "playback/playbackcontrol.h"
#include "tests/support/testenv.h"
#include "tests/support/wavfiles.h"
#include "tests/ui/main/windowfixture.h"
#include "ui/browse/browser.h"
#include "ui/browse/listbox.h"
#include "ui/toolbar/speedbar.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPointer>
#include <QToolButton>

namespace {

QPoint rowPoint(ListBox* list, int row) {
    return list->visualRect(list->model()->index(row, 0)).center();
}

// Two files long enough to be still playing when a test looks, shown in the file list and, for
// "playlist", added to the playlist; returns the list the test works in.
ListBox* prepare(WindowFixture& f, const QString& list) {
    for (const char* name : {"a.wav", "b.wav"})
        if (!writeTone(f.filePath(QLatin1String(name)), ToneSpec{8000, 1, 0, 3.0, 440.0}))
            return nullptr;
    f.showFiles({"a.wav", "b.wav"});
    if (list == QLatin1String("files"))
        return f.window->lbWavs();
    f.addPlaylistEntries({f.filePath("a.wav"), f.filePath("b.wav")});
    f.window->DoCheckPlaylistButtons();
    return f.window->lbPlaylist();
}

// A window manager gives the activation back to the main window when a popup or a box closes;
// the offscreen platform does not.
void reactivate(TfrmMain& w) {
    if (QApplication::activeWindow() != &w)
        QApplication::setActiveWindow(&w);
}

QString loadedFile(TfrmMain& w) {
    return QFileInfo(w.playback()->player().fileName()).fileName();
}

// Closes every message box that appears by pressing Enter on its focused button, and counts them.
class BoxCloser : public QObject {
public:
    BoxCloser() {
        m_timer.setInterval(10);
        connect(&m_timer, &QTimer::timeout, this, [this] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box || box == m_last)
                return;
            m_last = box;
            ++boxes;
            QWidget* target = box->focusWidget() ? box->focusWidget() : box;
            QTest::keyPress(target, Qt::Key_Return);
        });
        m_timer.start();
    }
    int boxes = 0;

private:
    QTimer m_timer;
    QPointer<QMessageBox> m_last;
};

} // namespace

class TestUserInput : public QObject {
    Q_OBJECT

    static void addListRows() {
        QTest::addColumn<QString>("list");
        QTest::newRow("file list") << "files";
        QTest::newRow("playlist") << "playlist";
    }

private Q_SLOTS:
    void cleanup() { resetConfiguration(); }

    void rightClickLoadsSilentlyThenShowsThePopup_data() { addListRows(); }
    void rightClickLoadsSilentlyThenShowsThePopup() {
        QFETCH(QString, list);
        WindowFixture f;
        ListBox* box = prepare(f, list);
        QVERIFY(box);
        MediaPlayer& player = f.window->playback()->player();
        WindowFixture::click(box, 0);
        QCOMPARE(player.mode(), MediaPlayer::Mode::Playing);

        const QPoint second = rowPoint(box, 1);
        QTest::mousePress(box->viewport(), Qt::RightButton, {}, second);
        // The X11 platform asks for the context menu right after the press.
        QContextMenuEvent asked(QContextMenuEvent::Mouse, second,
                                box->viewport()->mapToGlobal(second));
        QApplication::sendEvent(box->viewport(), &asked);
        QVERIFY(!QApplication::activePopupWidget());
        QCOMPARE(box->selectedRow(), 1);

        QTest::mouseRelease(box->viewport(), Qt::RightButton, {}, second);
        QMenu* popup =
            f.window->popupMenu(list == "files" ? PopupMenu::WavList : PopupMenu::Playlist);
        QCOMPARE(QApplication::activePopupWidget(), popup);
        QCOMPARE(box->selectedRow(), 1);
        QVERIFY(player.isOpen());
        QCOMPARE(loadedFile(*f.window), QStringLiteral("b.wav"));
        QCOMPARE(player.mode(), MediaPlayer::Mode::Stopped);
        // The second of two entries cannot move down; everything else acts on the selection.
        for (const QAction* item : popup->actions())
            if (!item->isSeparator())
                QVERIFY2(item->isEnabled() != (item->objectName() == "pmiMoveDown"),
                         qPrintable(item->objectName()));

        QTest::keyClick(popup, Qt::Key_Escape);
        QTRY_VERIFY(!QApplication::activePopupWidget());
        QCOMPARE(box->selectedRow(), 1);
        QCOMPARE(player.mode(), MediaPlayer::Mode::Stopped);
    }

    // A quick click: the window system delivers the release while the press's play is still
    // handling events, so the release runs inside it.
    void quickClickPlaysOnlyWhatTheReleaseStarts_data() {
        QTest::addColumn<int>("button");
        QTest::addColumn<int>("clickAction");
        QTest::addColumn<bool>("playing");
        QTest::newRow("right, click action 0") << int(Qt::RightButton) << 0 << false;
        QTest::newRow("left, click action 1") << int(Qt::LeftButton) << 1 << false;
        QTest::newRow("left, click action 0") << int(Qt::LeftButton) << 0 << true;
    }
    void quickClickPlaysOnlyWhatTheReleaseStarts() {
        QFETCH(int, button);
        QFETCH(int, clickAction);
        QFETCH(bool, playing);
        configStore().writeInteger(QLatin1String(cfg::kPreferences),
                                   QLatin1String(cfg::kSingleClick), clickAction);
        WindowFixture f;
        ListBox* box = prepare(f, QStringLiteral("files"));
        QVERIFY(box);
        const QPoint at = rowPoint(box, 1);
        const QPoint global = box->viewport()->mapToGlobal(at);
        const auto pressed = Qt::MouseButton(button);
        QCoreApplication::postEvent(box->viewport(),
                                    new QMouseEvent(QEvent::MouseButtonPress, at, global, pressed,
                                                    pressed, Qt::NoModifier));
        QCoreApplication::postEvent(box->viewport(),
                                    new QMouseEvent(QEvent::MouseButtonRelease, at, global, pressed,
                                                    Qt::NoButton, Qt::NoModifier));
        QTRY_COMPARE(box->selectedRow(), 1);
        QTest::qWait(50);
        QCOMPARE(loadedFile(*f.window), QStringLiteral("b.wav"));
        QCOMPARE(f.window->playback()->player().mode() == MediaPlayer::Mode::Playing, playing);
        if (QMenu* popup = qobject_cast<QMenu*>(QApplication::activePopupWidget()))
            QTest::keyClick(popup, Qt::Key_Escape);
    }

    void menuKeysAndToolbarKeepTheSelection_data() {
        QTest::addColumn<QString>("list");
        QTest::addColumn<QString>("input");
        for (const char* list : {"files", "playlist"})
            for (const char* input : {"Alt", "Alt+E", "Alt+C, P", "F10", "toolbar"})
                QTest::addRow("%s, %s", list, input) << list << input;
    }
    void menuKeysAndToolbarKeepTheSelection() {
        QFETCH(QString, list);
        QFETCH(QString, input);
        WindowFixture f;
        TfrmMain& w = *f.window;
        ListBox* box = prepare(f, list);
        QVERIFY(box);
        WindowFixture::click(box, 1);
        const QStringList probes = {list == "files" ? "miEditCopy" : "sbRemove", "sbPlay",
                                    "miControlsPlay"};
        auto verifyKept = [&] {
            QCOMPARE(box->selectedRow(), 1);
            for (const QString& probe : probes)
                QVERIFY2(isControlEnabled(w, probe), qPrintable(probe));
        };
        verifyKept();

        if (input == "Alt") {
            QTest::keyClick(w.focusWidget(), Qt::Key_Alt);
        } else if (input == "F10") {
            QTest::keyClick(w.focusWidget(), Qt::Key_F10);
        } else if (input == "toolbar") {
            QTest::mouseClick(w.speedBar()->button(QStringLiteral("sbStop")), Qt::LeftButton);
        } else {
            const bool edit = input == "Alt+E";
            QTest::keyClick(w.focusWidget(), edit ? Qt::Key_E : Qt::Key_C, Qt::AltModifier);
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            QVERIFY(menu);
            QCOMPARE(menu->objectName(), edit ? QStringLiteral("miEdit") : "miControls");
            verifyKept(); // while the menu is open
            QTest::keyClick(menu, edit ? Qt::Key_Escape : Qt::Key_P);
            QTRY_VERIFY(!QApplication::activePopupWidget());
            reactivate(w);
        }
        verifyKept();
        if (input == "Alt+C, P") { // Play acts on the list last worked in
            QCOMPARE(loadedFile(w), QStringLiteral("b.wav"));
            QCOMPARE(w.playback()->player().mode(), MediaPlayer::Mode::Playing);
        }
        if (qobject_cast<QMenuBar*>(QApplication::focusWidget()))
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape); // leaves the menu bar
        QTRY_COMPARE(QApplication::focusWidget(), box);
        verifyKept();
    }

    void ctrlClickOnTheSelectedItemKeepsItAndLoads_data() {
        QTest::addColumn<QString>("list");
        QTest::addColumn<int>("clickAction");
        for (const char* list : {"files", "playlist"})
            for (int action : {0, 1})
                QTest::addRow("%s, click action %d", list, action) << list << action;
    }
    void ctrlClickOnTheSelectedItemKeepsItAndLoads() {
        QFETCH(QString, list);
        QFETCH(int, clickAction);
        configStore().writeInteger(QLatin1String(cfg::kPreferences),
                                   QLatin1String(cfg::kSingleClick), clickAction);
        WindowFixture f;
        QCOMPARE(f.window->clickAction(), clickAction);
        ListBox* box = prepare(f, list);
        QVERIFY(box);
        WindowFixture::click(box, 1);
        QCOMPARE(box->selectedRow(), 1);
        f.window->playback()->player().close();
        WindowFixture::click(box, 1, Qt::LeftButton, Qt::ControlModifier);
        QCOMPARE(box->selectedRow(), 1);
        QCOMPARE(loadedFile(*f.window), QStringLiteral("b.wav"));
        // Then the editor command: it stops playback and, with no editor set, says so.
        QVERIFY(!f.window->playback()->player().isOpen());
        QCOMPARE(f.prompt.texts(QStringLiteral("information")),
                 QStringList{QStringLiteral("A valid WAV editor has not been specified.")});
        QVERIFY(isControlEnabled(*f.window, QStringLiteral("sbEdit")));
        QVERIFY(isControlEnabled(*f.window, QStringLiteral("sbPlay")));
    }

    void firstUpOrDownSelectsTheFirstFile_data() {
        QTest::addColumn<QString>("situation");
        QTest::addColumn<int>("key");
        for (const char* situation : {"after a re-read", "after the focus came back"})
            for (const auto& [name, key] : {std::pair{"Down", Qt::Key_Down}, {"Up", Qt::Key_Up}})
                QTest::addRow("%s, %s", situation, name) << situation << int(key);
    }
    void firstUpOrDownSelectsTheFirstFile() {
        QFETCH(QString, situation);
        QFETCH(int, key);
        WindowFixture f;
        f.showFiles({"a.wav", "b.wav", "c.wav"});
        ListBox* wavs = f.window->lbWavs();
        QCOMPARE(QApplication::focusWidget(), wavs);
        if (situation == "after the focus came back")
            WindowFixture::click(wavs, 2);
        QTest::keyClick(wavs, Qt::Key_Backtab, Qt::ShiftModifier);
        QVERIFY(QApplication::focusWidget() != wavs);
        QCOMPARE(wavs->selectedRow(), -1);
        if (situation == "after a re-read")
            f.window->browser()->rereadFiles(); // as a directory change does
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), wavs);
        QCOMPARE(wavs->selectedRow(), -1);
        QTest::keyClick(wavs, Qt::Key(key));
        QCOMPARE(wavs->selectedRow(), 0);
        QCOMPARE(f.window->browser()->selectedWav(), QStringLiteral("a.wav"));
    }

    // The release acts on the selection the click kept, as a click on the selected item does.
    void leftClickBelowTheLastItemKeepsTheSelection_data() { addListRows(); }
    void leftClickBelowTheLastItemKeepsTheSelection() {
        QFETCH(QString, list);
        WindowFixture f;
        ListBox* box = prepare(f, list);
        QVERIFY(box);
        WindowFixture::click(box, 1);
        f.window->playback()->player().close();
        const QPoint below(5, box->viewport()->height() - 3);
        QCOMPARE(box->rowAt(below), -1);
        QTest::mouseClick(box->viewport(), Qt::LeftButton, {}, below);
        QCOMPARE(box->selectedRow(), 1);
        QVERIFY(isControlEnabled(*f.window, QStringLiteral("sbEdit")));
        QCOMPARE(loadedFile(*f.window), QStringLiteral("b.wav"));
        QCOMPARE(f.window->playback()->player().mode(), MediaPlayer::Mode::Playing);
    }

    void enterThatClosesABoxDoesNotPlayAgain() {
        WindowFixture f(nullptr, WindowFixture::Prompts::MessageBoxes);
        writeTextFile(f.filePath("broken.wav"), "not a sound");
        f.showFiles({});
        ListBox* wavs = f.window->lbWavs();
        QCOMPARE(wavs->count(), 1);
        QCOMPARE(QApplication::focusWidget(), wavs);
        wavs->selectRow(0);
        BoxCloser closer;
        QTest::keyClick(wavs, Qt::Key_Return); // the release plays: the error box shows
        QCOMPARE(closer.boxes, 1);
        QTRY_VERIFY(!QApplication::activeModalWidget());
        reactivate(*f.window);
        QTRY_COMPARE(QApplication::focusWidget(), wavs);
        // The Enter that closed the box is let go over the list.
        QTest::keyRelease(wavs, Qt::Key_Return);
        QTest::qWait(100);
        QCOMPARE(closer.boxes, 1);
        // A key pressed and released in the list still counts.
        QTest::keyClick(wavs, Qt::Key_Return);
        QCOMPARE(closer.boxes, 2);
    }

    void showingThePlaylistUsesThePanelsOwnWidth() {
        WindowFixture f;
        TfrmMain& w = *f.window;
        w.resize(640, 371);
        QTRY_COMPARE(w.width(), 640);
        const int shownWidth = w.playlistPanel()->width();
        QVERIFY(shownWidth > 0);
        const int ownWavs = w.wavsPanel()->width(); // the hidden window may stretch it
        QToolButton* toggle = w.speedBar()->button(QStringLiteral("sbShowPlaylist"));
        QTest::mouseClick(toggle, Qt::LeftButton);
        QVERIFY(w.playlistPanel()->isHidden());
        QTRY_COMPARE(w.width(), w.wavsPanel()->width());
        QCOMPARE(w.playlistPanel()->width(), shownWidth); // kept while hidden
        // The window's stored panel sizes may set the hidden panel's width before it shows.
        w.playlistPanel()->resize(250, w.playlistPanel()->height());
        QTest::mouseClick(toggle, Qt::LeftButton);
        QTRY_COMPARE(w.width(), ownWavs + 250 + 4);
        QTRY_COMPARE(w.playlistPanel()->width(), 250);
    }
};

SONDRIX_TEST_MAIN(TestUserInput)
#include "tst_userinput.moc"
