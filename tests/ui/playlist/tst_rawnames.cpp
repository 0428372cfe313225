#include "base/pathcodec.h"
#include "playback/mediaplayer.h"
#include "playback/playbackcontrol.h"
#include "playlist/playlistdocument.h"
#include "playlist/playlistmodel.h"
#include "tests/support/testenv.h"
#include "tests/support/wavfiles.h"
#include "tests/ui/main/windowfixture.h"
#include "ui/browse/browser.h"
#include "ui/browse/listbox.h"

#include <QAction>
#include <QScopeGuard>
#include <QTimer>

#include <cstdio>

// A file whose name is not UTF-8 keeps its bytes from the file list through the device, the
// playlist and the playlist file, and back.
class TestRawNames : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void cleanup() { resetConfiguration(); }

    void nonUtf8FileListsPlaysAndSurvivesAPlaylist() {
        WindowFixture f;
        TfrmMain& w = *f.window;
        const QByteArray folder = encodePath(f.folder.path());
        const QByteArray raw = folder + "/caf\xe9.wav";
        QVERIFY(writeTone(f.filePath(QStringLiteral("plain.wav")), ToneSpec{8000, 1, 0, 0.05}));
        QCOMPARE(::rename(encodePath(f.filePath(QStringLiteral("plain.wav"))).constData(),
                          raw.constData()),
                 0);
        const auto removeRaw = qScopeGuard([&] { std::remove(raw.constData()); }); // QDir cannot

        // Listed, shown with a replacement character, played through the device.
        w.browser()->rereadFiles();
        QCOMPARE(w.lbWavs()->count(), 1);
        QCOMPARE(encodePath(w.browser()->wavNames().first()), QByteArray("caf\xe9.wav"));
        WindowFixture::click(w.lbWavs(), 0);
        QVERIFY2(f.prompt.asked.isEmpty(), qPrintable(f.prompt.asked.value(0).text));
        QVERIFY(w.playback()->player().isOpen());
        QVERIFY(w.playback()->player().length() > 0);
        // Ctrl+L loops the selected file of the current list by the bytes of its full path; the
        // loop runs until it is stopped.
        QByteArray looped;
        QTimer::singleShot(200, &w, [&] {
            looped = encodePath(w.playback()->player().fileName());
            w.playback()->stopPlaying();
        });
        QTest::keyClick(w.lbWavs(), Qt::Key_L, Qt::ControlModifier);
        QCOMPARE(looped, raw);

        // Shift+click adds it; the saved playlist holds the bytes of its name.
        WindowFixture::click(w.lbWavs(), 0, Qt::LeftButton, Qt::ShiftModifier);
        QCOMPARE(w.playlistModel()->count(), 1);
        QCOMPARE(encodePath(w.playlistModel()->path(0)), raw);
        const QString sxp = f.filePath(QStringLiteral("party.sxp"));
        f.prompt.fileNames = {sxp};
        QTest::keyClick(&w, Qt::Key_S, Qt::ControlModifier);
        QFile saved(sxp);
        QVERIFY(saved.open(QIODevice::ReadOnly));
        QCOMPARE(saved.readAll(), raw + "\r\n");

        // Opened again, the entry plays from the playlist.
        f.prompt.fileNames = {sxp};
        QTest::keyClick(&w, Qt::Key_O, Qt::ControlModifier);
        QCOMPARE(w.playlistModel()->count(), 1);
        QCOMPARE(encodePath(w.playlistModel()->path(0)), raw);
        f.prompt.asked.clear();
        w.action(CommandId::PlayPlaylist)->trigger();
        QVERIFY2(f.prompt.asked.isEmpty(), qPrintable(f.prompt.asked.value(0).text));
        QCOMPARE(encodePath(w.playback()->player().fileName()), raw);
    }
};

SONDRIX_TEST_MAIN(TestRawNames)
#include "tst_rawnames.moc"
