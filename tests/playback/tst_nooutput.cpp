#include "playback/mediaplayer.h"
#include "playback/playbackcontrol.h"
#include "tests/support/testenv.h"
#include "tests/ui/main/windowfixture.h"
#include "ui/browse/listbox.h"
#include "ui/main/progressbar.h"

#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QScopeGuard>
#include <QTemporaryDir>

// With no sound output at all, the first play says so once, readably; the files still show their
// length and waveform, and a play once an output is there plays.
class TestNoOutput : public QObject {
    Q_OBJECT

    static QStringList failuresAfterFiveClicks(WindowFixture& f) {
        f.showFiles({"a.wav", "b.wav"});
        for (int i = 0; i < 5; ++i)
            WindowFixture::click(f.window->lbWavs(), i % 2);
        return f.prompt.texts(QStringLiteral("failure"));
    }

private Q_SLOTS:
    void fiveClicksGiveOneMessage() {
        WindowFixture f;
        const QStringList told = failuresAfterFiveClicks(f);
        QCOMPARE(told.size(), 1);
        QVERIFY2(told[0].startsWith(QStringLiteral("No sound output: the sound device could not "
                                                   "be opened (")),
                 qPrintable(told[0]));
        QVERIFY2(told[0].contains(QStringLiteral("no-such-driver")), qPrintable(told[0]));

        const auto panels = f.window->findChild<QObject*>(QStringLiteral("StatusBar1"))
                                ->findChildren<QLabel*>(Qt::FindDirectChildrenOnly);
        QCOMPARE(panels.size(), 2);
        QLabel* notice = panels[0];
        QCOMPARE(notice->text(), QStringLiteral("No sound output"));
        QCOMPARE(notice->toolTip(), told[0]);
        QCOMPARE(panels[1]->text(), PlaybackControl::lengthText(50));
        QVERIFY(f.window->playback()->player().isOpen());
        QTRY_VERIFY(f.window->progressBar()->peaks().isComplete());

        qputenv("SDL_AUDIODRIVER", "dummy"); // a device appears
        WindowFixture::click(f.window->lbWavs(), 0);
        QCOMPARE(f.window->playback()->player().mode(), MediaPlayer::Mode::Playing);
        QCOMPARE(notice->text(), QString());
        QCOMPARE(f.prompt.texts(QStringLiteral("failure")).size(), 1);
    }

    // Nothing chosen: the sound server is asked first and is not there, then SDL finds no device
    // either (an empty ALSA configuration stands for a machine without a sound card).
    void noServerAndNoDeviceGiveOneMessage() {
        const QByteArray driver = qgetenv("SDL_AUDIODRIVER");
        const auto restore = qScopeGuard([&driver] { qputenv("SDL_AUDIODRIVER", driver); });
        qunsetenv("SDL_AUDIODRIVER");
        qunsetenv("SONDRIX_AUDIO");
        QTemporaryDir nothing;
        qputenv("PULSE_SERVER", ("unix:" + nothing.path() + "/no-server").toUtf8());
        QFile emptyAlsa(nothing.path() + QStringLiteral("/asound.conf"));
        QVERIFY(emptyAlsa.open(QIODevice::WriteOnly));
        emptyAlsa.close();
        qputenv("ALSA_CONFIG_PATH", emptyAlsa.fileName().toUtf8());
        qputenv("JACK_NO_START_SERVER", "1");

        WindowFixture f;
        const QStringList told = failuresAfterFiveClicks(f);
        QCOMPARE(told.size(), 1);
        QVERIFY2(told[0].startsWith(QStringLiteral("No sound output: ")), qPrintable(told[0]));
        QVERIFY2(told[0].contains(QStringLiteral("Start the sound server or connect a device, "
                                                 "then play again.")),
                 qPrintable(told[0]));
        QVERIFY(f.window->playback()->player().isOpen());
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
