#include "base/sxerror.h"
#include "playback/mediaplayer.h"
#include "tests/playback/capture.h"
#include "tests/support/testenv.h"
#include "tests/support/wavfiles.h"

#include <QApplication>
#include <QElapsedTimer>

#include <sys/stat.h>

// The audio device with files no recording would produce, and things that are not files.
class TestHostileWav : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;

    static QString openError(const QString& file) {
        CapturedOutput capture;
        MediaPlayer player(capture.output());
        player.setFileName(file);
        try {
            player.open();
        } catch (const SxError& e) {
            if (player.isOpen())
                return QStringLiteral("<open after the error>");
            return e.message();
        }
        return QString();
    }

private Q_SLOTS:
    void aFifoIsRefusedAtOnce() {
        const QString file = m_dir.filePath(QStringLiteral("x.wav"));
        QCOMPARE(::mkfifo(QFile::encodeName(file).constData(), 0600), 0);
        QElapsedTimer timer;
        timer.start();
        QCOMPARE(openError(file), QStringLiteral("The file is not a playable sound file"));
        QVERIFY(timer.elapsed() < 2000);
    }

    void aMissingFileGivesTheSystemsReason() {
        QCOMPARE(openError(m_dir.filePath(QStringLiteral("missing.wav"))),
                 QStringLiteral("No such file or directory"));
    }

    void ratesTheOutputCannotConvertAreRefused_data() {
        QTest::addColumn<int>("rate");
        QTest::newRow("5 MHz") << 5'000'000;
        QTest::newRow("100 MHz") << 100'000'000;
        QTest::newRow("999 Hz") << 999;
        QTest::newRow("1 Hz") << 1;
    }
    void ratesTheOutputCannotConvertAreRefused() {
        QFETCH(int, rate);
        const QString file = m_dir.filePath(QStringLiteral("rate.wav"));
        QVERIFY(writeTone(file, ToneSpec{rate, 1, 0, 10000.0 / rate, 440.0}));
        QCOMPARE(openError(file),
                 QStringLiteral("The sample rate of %1 Hz cannot be played (1000 to 768000 Hz)")
                     .arg(rate));
    }

    void theLimitRatesPlayToTheEnd_data() {
        QTest::addColumn<int>("rate");
        QTest::newRow("1000 Hz") << 1000;
        QTest::newRow("768 kHz") << 768000;
    }
    void theLimitRatesPlayToTheEnd() {
        QFETCH(int, rate);
        const QString file = m_dir.filePath(QStringLiteral("limit.wav"));
        QVERIFY(writeTone(file, ToneSpec{rate, 2, 0, 0.3, 200.0}));
        CapturedOutput capture;
        MediaPlayer player(capture.output());
        player.setFileName(file);
        player.open();
        QCOMPARE(player.length(), 300);
        player.play();
        QTRY_COMPARE_WITH_TIMEOUT(player.mode(), MediaPlayer::Mode::Stopped, 5000);
        QCOMPARE(player.position(), 300);
    }
};

SONDRIX_TEST_MAIN(TestHostileWav)

#include "tst_hostilewav.moc"
