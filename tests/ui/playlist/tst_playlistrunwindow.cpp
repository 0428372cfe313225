#include "playback/playbackcontrol.h"
#include "playlist/playlistmodel.h"
#include "tests/support/testenv.h"
#include "tests/support/wavfiles.h"
#include "tests/ui/main/windowfixture.h"
#include "ui/browse/browser.h"
#include "ui/browse/listbox.h"
#include <QAction>
#include <QDir>

// Play Playlist on a real window: the list it shows and focuses, and the keys, clicks and commands
// a person uses while it runs. Short generated files and the dummy output.
class TestPlaylistRunWindow : public QObject {
    Q_OBJECT

    // The rows the run selects, in order.
    static void recordSelections(TfrmMain& w, std::function<void(int)> onSelect = {}) {
        auto* rows = new QList<int>;
        QObject::connect(w.lbPlaylist()->selectionModel(), &QItemSelectionModel::currentChanged,
                         w.lbPlaylist(), [rows, onSelect](const QModelIndex& index) {
                             rows->append(index.row());
                             if (onSelect)
                                 onSelect(index.row());
                         });
        s_rows.reset(rows);
    }
    static inline std::unique_ptr<QList<int>> s_rows;

    static QString tone(WindowFixture& f, const QString& name, double seconds) {
        writeTone(f.filePath(name), ToneSpec{8000, 1, 0, seconds, 440.0});
        return f.filePath(name);
    }

private Q_SLOTS:
    void cleanup() {
        s_rows.reset();
        resetConfiguration();
    }

    void playsEveryEntryInOrder() {
        WindowFixture f;
        f.addPlaylistEntries({tone(f, "a.wav", 0.1), tone(f, "b.wav", 0.1), tone(f, "c.wav", 0.1)});
        recordSelections(*f.window);
        f.runCommand(CommandId::PlayPlaylist);
        QCOMPARE(*s_rows, (QList<int>{0, 1, 2, 0}));
        QVERIFY(f.prompt.asked.isEmpty());
        QVERIFY(!f.window->playback()->flags().playlistRunning);
        QCOMPARE(f.window->playback()->player().fileName(), f.filePath("c.wav"));
        QVERIFY(!f.window->playback()->player().isOpen());
        QCOMPARE(f.window->focusWidget(), f.window->lbPlaylist());
    }

    void escapeDuringTheSecondEntryEndsTheRun() {
        WindowFixture f;
        f.addPlaylistEntries({tone(f, "a.wav", 0.1), tone(f, "b.wav", 1.0),
                              f.filePath("missing.wav"), tone(f, "c.wav", 0.1)});
        recordSelections(*f.window, [&](int row) {
            if (row == 1)
                QTimer::singleShot(100, f.window, [&] {
                    QTest::keyClick(f.window->lbPlaylist(), Qt::Key_Escape);
                });
        });
        f.runCommand(CommandId::PlayPlaylist);
        QCOMPARE(*s_rows, (QList<int>{0, 1, 0}));
        QVERIFY(f.prompt.texts("information").isEmpty()); // the missing entry was never reached
        QVERIFY(!f.window->playback()->player().isOpen());
    }

    void stopSilencesAndTheRunWaitsForEscape() {
        WindowFixture f;
        f.addPlaylistEntries({tone(f, "a.wav", 1.0), tone(f, "b.wav", 0.1)});
        QTimer::singleShot(150, f.window, [&] { f.window->playback()->stopPlaying(); });
        QTimer::singleShot(700, f.window, [&] {
            QVERIFY(f.window->playback()->flags().playlistRunning); // still waiting
            QVERIFY(!f.window->playback()->player().isOpen());
            f.window->playback()->abortAll();
        });
        recordSelections(*f.window);
        f.runCommand(CommandId::PlayPlaylist);
        QCOMPARE(*s_rows, QList<int>{0}); // b was never reached
        QCOMPARE(f.window->lbPlaylist()->selectedRow(), 0);
    }

    void aFileClickedDuringTheRunPlaysAndTheRunGoesOn() {
        WindowFixture f;
        f.showFiles({"click.wav"});
        f.addPlaylistEntries({tone(f, "a.wav", 1.5), tone(f, "b.wav", 0.1)});
        bool clicked = false;
        recordSelections(*f.window, [&](int row) {
            if (row == 0 && !clicked) {
                clicked = true;
                QTimer::singleShot(150, f.window,
                                   [&] { WindowFixture::click(f.window->lbWavs(), 0); });
            }
        });
        f.runCommand(CommandId::PlayPlaylist);
        QVERIFY(clicked);
        QVERIFY(s_rows->contains(1)); // the run went on with its next entry
        QCOMPARE(f.window->playback()->player().fileName(), f.filePath("b.wav"));
    }

    void hiddenPanelIsShownFirst() {
        WindowFixture f;
        f.addPlaylistEntries({tone(f, "a.wav", 0.05)});
        f.window->togglePlaylist();
        f.runCommand(CommandId::PlayPlaylist);
        QVERIFY(f.window->playlistPanel()->isVisible());
        QVERIFY(!f.window->playback()->flags().playlistRunning);
    }

    void unplayableEntryEndsTheRunWithTheError() {
        WindowFixture f;
        writeTextFile(f.filePath("text.wav"), "not a sound");
        f.addPlaylistEntries({f.filePath("text.wav"), tone(f, "b.wav", 0.05)});
        f.window->playback()->abortAll(); // an abort left over from before the run
        f.runCommand(CommandId::PlayPlaylist);
        QCOMPARE(f.prompt.texts("failure").size(), 1);
        QVERIFY(f.prompt.texts("information").isEmpty());
        QVERIFY(!f.window->playback()->flags().playlistRunning);
    }
};

SONDRIX_TEST_MAIN(TestPlaylistRunWindow)
#include "tst_playlistrunwindow.moc"
