#include "base/sxerror.h"
#include "playback/mediaplayer.h"
#include "tests/playback/capture.h"
#include "tests/support/testenv.h"
#include "tests/support/wavfiles.h"

#include <QApplication>
#include <QElapsedTimer>

#include <sndfile.h>

// The audio device over real files and a real output captured by SDL's disk driver.
class TestMediaPlayer : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;

    QString toneFile(const QString& name, const ToneSpec& spec) {
        const QString file = m_dir.filePath(name);
        if (!writeTone(file, spec))
            qFatal("libsndfile refused to write %s", qPrintable(file));
        return file;
    }
    static void load(MediaPlayer& player, const QString& file) {
        player.setFileName(file);
        player.open();
    }

    static void playToEnd(MediaPlayer& player) {
        QElapsedTimer timer;
        timer.start();
        player.play();
        while (player.mode() == MediaPlayer::Mode::Playing && timer.elapsed() < 10000)
            QTest::qWait(10);
    }

private Q_SLOTS:
    void everyFormatOpensAndPlays_data() {
        QTest::addColumn<int>("format");
        QTest::addColumn<int>("rate");
        QTest::addColumn<int>("channels");
        QTest::addColumn<int>("tolerance"); // block codecs pad their last block
        QTest::newRow("8-bit") << (SF_FORMAT_WAV | SF_FORMAT_PCM_U8) << 22050 << 1 << 0;
        QTest::newRow("16-bit") << (SF_FORMAT_WAV | SF_FORMAT_PCM_16) << 44100 << 2 << 0;
        QTest::newRow("24-bit") << (SF_FORMAT_WAV | SF_FORMAT_PCM_24) << 96000 << 2 << 0;
        QTest::newRow("32-bit") << (SF_FORMAT_WAV | SF_FORMAT_PCM_32) << 48000 << 6 << 0;
        QTest::newRow("float") << (SF_FORMAT_WAV | SF_FORMAT_FLOAT) << 32000 << 1 << 0;
        QTest::newRow("double") << (SF_FORMAT_WAV | SF_FORMAT_DOUBLE) << 11025 << 2 << 0;
        QTest::newRow("mu-law") << (SF_FORMAT_WAV | SF_FORMAT_ULAW) << 8000 << 1 << 0;
        QTest::newRow("A-law") << (SF_FORMAT_WAV | SF_FORMAT_ALAW) << 8000 << 1 << 0;
        QTest::newRow("IMA ADPCM") << (SF_FORMAT_WAV | SF_FORMAT_IMA_ADPCM) << 22050 << 2 << 30;
        QTest::newRow("MS ADPCM") << (SF_FORMAT_WAV | SF_FORMAT_MS_ADPCM) << 22050 << 1 << 30;
        QTest::newRow("GSM 6.10") << (SF_FORMAT_WAV | SF_FORMAT_GSM610) << 8000 << 1 << 80;
        QTest::newRow("twelve channels") << (SF_FORMAT_WAV | SF_FORMAT_PCM_16) << 48000 << 12 << 0;
    }
    void everyFormatOpensAndPlays() {
        QFETCH(int, format);
        QFETCH(int, rate);
        QFETCH(int, channels);
        QFETCH(int, tolerance);
        const QString file = m_dir.filePath(QStringLiteral("%1.wav").arg(QTest::currentDataTag()));
        QVERIFY(writeTone(file, ToneSpec{rate, channels, format, 0.25, 440.0}));
        CapturedOutput capture;
        MediaPlayer player(capture.output());
        player.setFileName(file);
        player.open();
        QVERIFY2(std::abs(player.length() - 250) <= tolerance,
                 qPrintable(QString::number(player.length())));
        QCOMPARE(player.mode(), MediaPlayer::Mode::Stopped);
        QCOMPARE(player.position(), 0);
        playToEnd(player);
        QCOMPARE(player.position(), player.length());
        player.close();
        const auto played = capture.finish();
        const auto bursts = findBursts(played, 4800);
        QCOMPARE(bursts.size(), size_t(1));
        QVERIFY2(sineCorrelation(played, bursts[0].start, 4800, 440.0, 48000) > 0.9,
                 "the captured sound is not the tone");
    }

    void playedSoundMatchesTheSourceInLength() {
        CapturedOutput capture;
        MediaPlayer player(capture.output());
        load(player, toneFile(QStringLiteral("length.wav"), ToneSpec{44100, 1, 0, 0.4, 440.0}));
        playToEnd(player);
        const int buffer = capture.output().bufferFrames();
        player.close();
        const auto bursts = findBursts(capture.finish(), 4800);
        QCOMPARE(bursts.size(), size_t(1));
        QVERIFY2(std::abs(static_cast<long>(bursts[0].length) - 19200) <= buffer,
                 qPrintable(QString::number(bursts[0].length)));
    }

    void seekPlaysFromTheStartPosition() {
        CapturedOutput capture;
        MediaPlayer player(capture.output());
        load(player, toneFile(QStringLiteral("long.wav"), ToneSpec{8000, 1, 0, 10.0, 440.0}));
        player.play();
        QTest::qWait(100);
        player.pause();
        QCOMPARE(player.mode(), MediaPlayer::Mode::Paused);
        const qint64 paused = player.position();
        QTest::qWait(100);
        QCOMPARE(player.position(), paused);
        player.setStartPosition(5000);
        player.play();
        QVERIFY(player.position() >= 5000 && player.position() < 5200);
        QCOMPARE(player.mode(), MediaPlayer::Mode::Playing);
        player.rewind();
        QCOMPARE(player.position(), 0);
        player.close();
    }

    void unplayableFilesRaiseReadableErrors_data() {
        QTest::addColumn<QByteArray>("content");
        QTest::newRow("text named .wav") << QByteArray("this is not a sound\n");
        QTest::newRow("empty file") << QByteArray();
        QTest::newRow("missing file") << QByteArray("<missing>");
    }
    void unplayableFilesRaiseReadableErrors() {
        QFETCH(QByteArray, content);
        const QString file = m_dir.filePath(QStringLiteral("bad.wav"));
        QFile::remove(file);
        if (content != "<missing>")
            writeTextFile(file, content);
        CapturedOutput capture;
        MediaPlayer player(capture.output());
        player.setFileName(file);
        try {
            player.open();
            QFAIL("open succeeded");
        } catch (const SxError& e) {
            QVERIFY(!e.message().isEmpty());
        }
        QVERIFY(!player.isOpen());
    }

    void truncatedAndZeroLengthFilesAreNoError() {
        const QString whole = m_dir.filePath(QStringLiteral("whole.wav"));
        QVERIFY(writeTone(whole, ToneSpec{8000, 1, 0, 0.5, 440.0}));
        QFile f(whole);
        QVERIFY(f.open(QIODevice::ReadWrite));
        QVERIFY(f.resize(f.size() / 2)); // the header promises more than there is
        f.close();
        const QString empty = m_dir.filePath(QStringLiteral("zero.wav"));
        QVERIFY(writeTone(empty, ToneSpec{8000, 1, 0, 0.0, 440.0}));
        CapturedOutput capture;
        MediaPlayer player(capture.output());
        for (const QString& file : {whole, empty}) {
            player.setFileName(file);
            player.open();
            playToEnd(player);
            QCOMPARE(player.position(), player.length());
        }
        QCOMPARE(player.length(), 0);
        player.close();
    }

    void aLostOutputEndsThePlayAndTheNextPlayOpensItAnew() {
        CapturedOutput capture;
        capture.loseDevice();
        MediaPlayer player(capture.output());
        load(player, toneFile(QStringLiteral("lost.wav"), ToneSpec{48000, 1, 0, 0.3, 440.0}));
        player.play();
        QTRY_VERIFY(capture.output().lost());
        QCOMPARE(player.mode(), MediaPlayer::Mode::Stopped);
        QCOMPARE(player.position(), player.length());

        capture.restoreDevice();
        playToEnd(player);
        QVERIFY(!capture.output().lost());
        QCOMPARE(player.position(), player.length());
        const int buffer = capture.output().bufferFrames();
        player.close();
        const auto played = capture.finish();
        const auto bursts = findBursts(played, 4800);
        QCOMPARE(bursts.size(), size_t(1));
        QVERIFY2(std::abs(static_cast<long>(bursts[0].length) - 14400) <= buffer,
                 qPrintable(QString::number(bursts[0].length)));
        QVERIFY2(sineCorrelation(played, bursts[0].start, 4800, 440.0, 48000) > 0.9,
                 "the sound after reopening is not the tone");
    }

    void aLostOutputThatCannotOpenAgainIsToldOnce() {
        CapturedOutput capture;
        capture.loseDevice();
        MediaPlayer player(capture.output());
        load(player, toneFile(QStringLiteral("gone.wav"), ToneSpec{8000, 1, 0, 0.2, 440.0}));
        QTRY_VERIFY(capture.output().lost());
        qputenv("SDL_AUDIODRIVER", "no-such-driver");
        try {
            player.play();
            QFAIL("play succeeded without a sound output");
        } catch (const SxError& e) {
            QVERIFY2(e.message().startsWith(QStringLiteral("No sound output: ")),
                     qPrintable(e.message()));
            QCOMPARE(player.outputProblem(), e.message());
        }
        player.play(); // told once: this one ends quietly
        qputenv("SDL_AUDIODRIVER", "disk");
        QVERIFY(player.isOpen());
        QCOMPARE(player.mode(), MediaPlayer::Mode::Stopped);
        QCOMPARE(player.position(), player.length());

        capture.restoreDevice();
        playToEnd(player); // the next play finds the output again
        QVERIFY(player.outputProblem().isEmpty());
        QCOMPARE(player.position(), player.length());
        player.close();
        QCOMPARE(findBursts(capture.finish(), 4800).size(), size_t(1));
    }

    void closedDeviceRefusesOperations() {
        CapturedOutput capture;
        MediaPlayer player(capture.output());
        QCOMPARE(player.mode(), MediaPlayer::Mode::NotReady);
        QCOMPARE(player.position(), 0);
        player.close(); // quietly
        for (auto operation : {&MediaPlayer::play, &MediaPlayer::pause, &MediaPlayer::rewind}) {
            try {
                (player.*operation)();
                QFAIL("an operation ran on a closed device");
            } catch (const SxError& e) {
                QCOMPARE(e.message(), QStringLiteral("No MCI device open"));
            }
        }
        QVERIFY_THROWS_EXCEPTION(SxError, player.length());
    }
};

SONDRIX_TEST_MAIN(TestMediaPlayer)
#include "tst_mediaplayer.moc"
