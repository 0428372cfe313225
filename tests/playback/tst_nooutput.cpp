#include "app/sxerror.h"
#include "playback/mediaplayer.h"
#include "playback/sdlaudiooutput.h"
#include "tests/support/testenv.h"
#include "tests/support/wavfiles.h"

#include <QApplication>

// With no sound output at all, opening a file fails with a readable error and nothing is open.
class TestNoOutput : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void openFailsReadably() {
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("tone.wav"));
        QVERIFY(writeTone(file));
        SdlAudioOutput output;
        MediaPlayer player(output);
        player.setFileName(file);
        try {
            player.open();
            QFAIL("open succeeded without a sound output");
        } catch (const SxError& e) {
            QVERIFY2(e.message().startsWith(QStringLiteral("No sound output: ")),
                     qPrintable(e.message()));
            QVERIFY(e.message().size() > 20);
        }
        QVERIFY(!player.isOpen());
        QCOMPARE(player.mode(), MediaPlayer::Mode::NotReady);
    }
};

int main(int argc, char* argv[]) {
    qputenv("SDL_AUDIODRIVER", "no-such-driver");
    IsolatedEnvironment environment;
    QApplication app(argc, argv);
    TestNoOutput test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_nooutput.moc"
