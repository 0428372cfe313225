#include "base/sxerror.h"
#include "playback/playbackcontrol.h"
#include "playback/sdlaudiooutput.h"
#include "playlist/playlistrun.h"
#include "tests/playlist/playlistcore.h"
#include "tests/support/testenv.h"
#include "tests/support/wavfiles.h"

#include <QApplication>
#include <QDir>
#include <QItemSelectionModel>

// Play Playlist on the playlist and playback control alone, with short generated files and the
// dummy output.
class TestPlaylistRun : public QObject {
    Q_OBJECT

    // A run over a core, recording the rows it selects in order.
    struct Run : PlaylistCore {
        Run() {
            watch(run);
            QObject::connect(model.selectionModel(), &QItemSelectionModel::currentChanged,
                             [this](const QModelIndex& index) {
                                 rows.append(index.row());
                                 if (onSelect)
                                     onSelect(index.row());
                             });
        }
        SdlAudioOutput output;
        MediaPlayer player{output};
        PlaybackControl playback{player};
        PlaylistRun run{model, playback, prompt};
        QList<int> rows;
        std::function<void(int)> onSelect;
    };

    QTemporaryDir m_dir;
    QString tone(const QString& name, double seconds) {
        const QString file = m_dir.filePath(name);
        if (!writeTone(file, ToneSpec{8000, 1, 0, seconds, 440.0}))
            qFatal("cannot write %s", qPrintable(file));
        return file;
    }

private Q_SLOTS:
    void playsEveryEntryInOrder() {
        Run r;
        r.addEntries({tone("a.wav", 0.1), tone("b.wav", 0.1), tone("c.wav", 0.1)});
        r.run.DoPlayPlaylist();
        QCOMPARE(r.rows, (QList<int>{0, 1, 2, 0}));
        QCOMPARE(r.showRequests, QList<bool>{true}); // shown, with the keyboard focus
        QVERIFY(r.prompt.asked.isEmpty());
        QVERIFY(!r.playback.flags().playlistRunning);
        QCOMPARE(r.player.fileName(), m_dir.filePath("c.wav"));
        QVERIFY(!r.player.isOpen());
        QCOMPARE(r.model.selectedRow(), 0);
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
        Run r;
        QStringList entries;
        for (int i = 0; i < present.size(); ++i)
            entries.append(present[i] ? tone(QStringLiteral("p%1.wav").arg(i), 0.05)
                                      : m_dir.filePath(QStringLiteral("gone%1.wav").arg(i)));
        QVERIFY(QDir().mkpath(m_dir.filePath("gone1.wav"))); // a directory counts as missing
        r.addEntries(entries);
        r.run.DoPlayPlaylist();
        QCOMPARE(r.prompt.texts("information"), QStringList{message});
        QCOMPARE(r.model.selectedRow(), 0);
        QVERIFY(!r.playback.flags().playlistRunning);
        QDir(m_dir.filePath("gone1.wav")).removeRecursively();
    }

    void abortDuringTheSecondEntryEndsTheRun() {
        Run r;
        r.addEntries({tone("a.wav", 0.1), tone("b.wav", 1.0), m_dir.filePath("missing.wav"),
                      tone("c.wav", 0.1)});
        r.onSelect = [&](int row) {
            if (row == 1)
                QTimer::singleShot(100, &r.playback, [&] { r.playback.abortAll(); });
        };
        r.run.DoPlayPlaylist();
        QCOMPARE(r.rows, (QList<int>{0, 1, 0}));
        QVERIFY(r.prompt.texts("information").isEmpty()); // the missing entry was never reached
        QVERIFY(!r.player.isOpen());
    }

    void unplayableEntryEndsTheRunWithTheError() {
        Run r;
        const QString text = m_dir.filePath("text.wav");
        writeTextFile(text, "not a sound");
        r.addEntries({text, tone("b.wav", 0.05)});
        r.playback.abortAll(); // an abort left over from before the run
        QVERIFY_THROWS_EXCEPTION(SxError, r.run.DoPlayPlaylist());
        QCOMPARE(r.rows, QList<int>{0});
        QVERIFY(r.prompt.texts("information").isEmpty());
        QVERIFY(!r.playback.flags().playlistRunning);
    }

    void entriesRemovedDuringTheRunEndIt() {
        Run r;
        r.addEntries({tone("a.wav", 0.3), tone("b.wav", 0.05), tone("c.wav", 0.05)});
        QTimer::singleShot(100, &r.model, [&] {
            r.model.removeAt(2);
            r.model.removeAt(1);
        });
        r.run.DoPlayPlaylist();
        QCOMPARE(r.model.count(), 1);
        QVERIFY(!r.playback.flags().playlistRunning);
        QVERIFY(r.prompt.asked.isEmpty());
    }
};

SONDRIX_TEST_MAIN(TestPlaylistRun)
#include "tst_playlistrun.moc"
