#include "browse/browser.h"
#include "browse/listbox.h"
#include "playback/playbackcontrol.h"
#include "playlist/playlistmodel.h"
#include "tests/support/testenv.h"
#include "tests/support/wavfiles.h"
#include "tests/ui/main/windowfixture.h"
#include <QAction>
#include <QDir>

// Play Playlist on a real window, with short generated files and the dummy output.
class TestPlaylistRun : public QObject {
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
        f.window->miPlaylistPlayClick();
        QCOMPARE(*s_rows, (QList<int>{0, 1, 2, 0}));
        QVERIFY(f.prompt.asked.isEmpty());
        QVERIFY(!f.window->playback()->flags().playlistRunning);
        QCOMPARE(f.window->playback()->player().fileName(), f.filePath("c.wav"));
        QVERIFY(!f.window->playback()->player().isOpen());
        QCOMPARE(f.window->focusWidget(), f.window->lbPlaylist());
    }

    void countsMissingFiles_data() {
        QTest::addColumn<QList<bool>>("present");
        QTest::addColumn<QString>("message");
        QTest::newRow("two of five missing") << QList<bool>{true, false, true, false, true}
                                             << "There were 2 unknown files in the playlist.";
        QTest::newRow("the only entry missing")
            << QList<bool>{false} << "There were 1 unknown files in the playlist.";
    }
    void countsMissingFiles() {
        QFETCH(QList<bool>, present);
        QFETCH(QString, message);
        WindowFixture f;
        QStringList entries;
        for (int i = 0; i < present.size(); ++i)
            entries.append(present[i] ? tone(f, QStringLiteral("p%1.wav").arg(i), 0.05)
                                      : f.filePath(QStringLiteral("gone%1.wav").arg(i)));
        QDir().mkpath(f.filePath("gone1.wav")); // a directory counts as missing
        f.addPlaylistEntries(entries);
        f.window->miPlaylistPlayClick();
        QCOMPARE(f.prompt.texts("information"), QStringList{message});
        QCOMPARE(f.window->lbPlaylist()->selectedRow(), 0);
        QVERIFY(!f.window->playback()->flags().playlistRunning);
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
        f.window->miPlaylistPlayClick();
        QCOMPARE(*s_rows, (QList<int>{0, 1, 0}));
        QVERIFY(f.prompt.texts("information").isEmpty()); // the missing entry was never reached
        QVERIFY(!f.window->playback()->player().isOpen());
    }

    void stopSilencesAndTheRunWaitsForEscape() {
        WindowFixture f;
        f.addPlaylistEntries({tone(f, "a.wav", 1.0), tone(f, "b.wav", 0.1)});
        QTimer::singleShot(150, f.window, [&] { f.window->miControlsStopClick(); });
        QTimer::singleShot(700, f.window, [&] {
            QVERIFY(f.window->playback()->flags().playlistRunning); // still waiting
            QVERIFY(!f.window->playback()->player().isOpen());
            f.window->playback()->abortAll();
        });
        recordSelections(*f.window);
        f.window->miPlaylistPlayClick();
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
        f.window->miPlaylistPlayClick();
        QVERIFY(clicked);
        QVERIFY(s_rows->contains(1)); // the run went on with its next entry
        QCOMPARE(f.window->playback()->player().fileName(), f.filePath("b.wav"));
    }

    void hiddenPanelIsShownFirst() {
        WindowFixture f;
        f.addPlaylistEntries({tone(f, "a.wav", 0.05)});
        f.window->sbShowPlaylistClick();
        f.window->miPlaylistPlayClick();
        QVERIFY(f.window->playlistPanel()->isVisible());
        QVERIFY(!f.window->playback()->flags().playlistRunning);
    }

    void unplayableEntryEndsTheRunWithTheError() {
        WindowFixture f;
        writeTextFile(f.filePath("text.wav"), "not a sound");
        f.addPlaylistEntries({f.filePath("text.wav"), tone(f, "b.wav", 0.05)});
        f.window->playback()->abortAll(); // an abort left over from before the run
        Q_EMIT f.window->action(CommandId::PlayPlaylist)->triggered();
        QCOMPARE(f.prompt.texts("failure").size(), 1);
        QVERIFY(f.prompt.texts("information").isEmpty());
        QVERIFY(!f.window->playback()->flags().playlistRunning);
    }

    void entriesRemovedDuringTheRunEndIt() {
        WindowFixture f;
        f.addPlaylistEntries(
            {tone(f, "a.wav", 0.3), tone(f, "b.wav", 0.05), tone(f, "c.wav", 0.05)});
        QTimer::singleShot(100, f.window, [&] {
            f.window->playlistModel()->removeAt(2);
            f.window->playlistModel()->removeAt(1);
        });
        f.window->miPlaylistPlayClick();
        QVERIFY(!f.window->playback()->flags().playlistRunning);
        QVERIFY(f.prompt.texts("failure").isEmpty());
    }
};

SONDRIX_TEST_MAIN(TestPlaylistRun)
#include "tst_playlistrun.moc"
