#include "base/sxerror.h"
#include "playback/mediaplayer.h"
#include "playback/pulseaudiooutput.h"
#include "tests/playback/capture.h"
#include "tests/support/testenv.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>

#include <cmath>
#include <cstring>

namespace {

constexpr int kRate = 48000;

std::vector<float> sine(double frequency, int rate, size_t frames, float level) {
    std::vector<float> samples(frames);
    for (size_t i = 0; i < frames; ++i)
        samples[i] = level * static_cast<float>(std::sin(2 * M_PI * frequency * double(i) / rate));
    return samples;
}

// Milliseconds inside [from, to) whose peak stays under 0.02: the sound broke up there.
int dropoutMs(const std::vector<float>& samples, size_t from, size_t to) {
    int count = 0;
    for (size_t at = from; at + kRate / 1000 <= to; at += kRate / 1000) {
        float peak = 0;
        for (size_t i = at; i < at + kRate / 1000; ++i)
            peak = std::max(peak, std::fabs(samples[i]));
        count += peak < 0.02f;
    }
    return count;
}

} // namespace

// The sound server's output, heard through a private PulseAudio server with a null sink whose
// monitor is recorded. Skipped where no such server can be started.
class TestPulseOutput : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    QProcess m_server;
    QProcess m_recorder;
    std::unique_ptr<PulseAudioOutput> m_output;

    QString recording() const { return m_dir.filePath(QStringLiteral("monitor.raw")); }

    // The left channel of what the sink has played since the recorder started.
    std::vector<float> heard() {
        m_recorder.terminate();
        m_recorder.waitForFinished(5000);
        QFile file(recording());
        if (!file.open(QIODevice::ReadOnly))
            return {};
        const QByteArray bytes = file.readAll();
        std::vector<float> left(static_cast<size_t>(bytes.size()) / (2 * sizeof(float)));
        for (size_t i = 0; i < left.size(); ++i)
            std::memcpy(&left[i], bytes.constData() + 2 * i * sizeof(float), sizeof(float));
        return left;
    }

    QString file(const QString& name, int rate, const std::vector<float>& samples) {
        const QString path = m_dir.filePath(name);
        return writeFloatWav(path, rate, 2, samples) ? path : QString();
    }

    // Starts the private server and opens the output on it; false when it cannot.
    bool startServer() {
        const QString socket = m_dir.filePath(QStringLiteral("native"));
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), m_dir.path());
        environment.insert(QStringLiteral("HOME"), m_dir.path());
        m_server.setProcessEnvironment(environment);
        m_server.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        m_server.start(QStringLiteral("timeout"),
                       {QStringLiteral("120"),
                        QStandardPaths::findExecutable(QStringLiteral("pulseaudio")),
                        QStringLiteral("-n"), QStringLiteral("--daemonize=no"),
                        QStringLiteral("--exit-idle-time=-1"), QStringLiteral("--disallow-exit"),
                        QStringLiteral("--log-level=error"),
                        QStringLiteral("--load=module-null-sink sink_name=sx_null rate=48000"),
                        QStringLiteral("--load=module-native-protocol-unix socket=%1 "
                                       "auth-anonymous=1")
                            .arg(socket)});
        qputenv("PULSE_SERVER", ("unix:" + socket).toUtf8());
        QElapsedTimer timer;
        timer.start();
        while (!m_output->isOpen() && timer.elapsed() < 5000) {
            try {
                m_output->open();
            } catch (const SxError&) {
                QTest::qWait(50);
            }
        }
        return m_output->isOpen();
    }

    void startRecorder() {
        QFile::remove(recording());
        m_recorder.setStandardOutputFile(recording());
        m_recorder.start(QStringLiteral("timeout"),
                         {QStringLiteral("60"), QStringLiteral("parec"), QStringLiteral("-d"),
                          QStringLiteral("sx_null.monitor"), QStringLiteral("--format=float32le"),
                          QStringLiteral("--channels=2"), QStringLiteral("--rate=48000"),
                          QStringLiteral("--latency-msec=20")});
        QTRY_VERIFY(QFileInfo(recording()).size() > 0);
    }

    // No step in what was heard in [from, to) is larger than a 1 kHz tone at half scale takes,
    // plus the slope of the fade's gain; and two sounds never add up.
    static void verifySmooth(const std::vector<float>& sound, size_t from, size_t to) {
        const double toneStep = 0.5 * 2 * std::sin(M_PI * 1000 / kRate);
        const double gainStep = 0.5 * M_PI / 2 / (kRate * 0.002);
        for (size_t i = from + 1; i < to; ++i) {
            QVERIFY2(std::fabs(sound[i] - sound[i - 1]) <= toneStep + gainStep,
                     qPrintable(QStringLiteral("a step of %1 at %2 ms")
                                    .arg(std::fabs(sound[i] - sound[i - 1]))
                                    .arg(double(i - from) / 48)));
            QVERIFY2(std::fabs(sound[i]) <= 0.5f + 1e-3f, "two sounds overlap");
        }
    }

private Q_SLOTS:
    void initTestCase() {
        if (QStandardPaths::findExecutable(QStringLiteral("pulseaudio")).isEmpty() ||
            QStandardPaths::findExecutable(QStringLiteral("parec")).isEmpty())
            QSKIP("pulseaudio and parec are not installed");
        m_output = std::make_unique<PulseAudioOutput>();
        if (!startServer())
            QSKIP("no private PulseAudio server could be started here");
        QCOMPARE(m_output->sampleRate(), kRate);
    }
    void cleanupTestCase() {
        m_output.reset();
        m_server.terminate();
        m_server.waitForFinished(5000);
    }
    void init() { startRecorder(); }

    // A file at another rate than the server's plays whole, at its own speed, without a break.
    void aToneIsHeardWhole() {
        MediaPlayer player(*m_output);
        player.setFileName(file(QStringLiteral("tone.wav"), 44100, sine(1000, 44100, 44100, 0.5f)));
        player.open();
        player.play();
        QTRY_VERIFY_WITH_TIMEOUT(player.mode() == MediaPlayer::Mode::Stopped, 5000);
        QCOMPARE(player.position(), player.length());
        QTest::qWait(100);
        const auto sound = heard();
        const auto bursts = findBursts(sound, kRate / 50);
        QCOMPARE(bursts.size(), size_t(1));
        QVERIFY2(std::abs(static_cast<long>(bursts[0].length) - kRate) < kRate / 200,
                 qPrintable(QString::number(bursts[0].length)));
        QCOMPARE(dropoutMs(sound, bursts[0].start, bursts[0].start + bursts[0].length), 0);
    }

    // A file started while another plays replaces it within a few milliseconds of the queue's
    // 45: the old one fades out, and then the new one begins; no step is larger than the tones'
    // own and the fade's.
    void aNewSoundReplacesTheQueueWithoutAClick() {
        MediaPlayer player(*m_output);
        const std::vector<float> first = sine(1000, kRate, kRate, 0.5f);
        player.setFileName(file(QStringLiteral("first.wav"), kRate, first));
        player.open();
        player.play();
        QElapsedTimer between;
        between.start();
        QTest::qWait(300);
        player.setFileName(
            file(QStringLiteral("second.wav"), kRate, sine(500, kRate, kRate / 2, 0.5f)));
        player.open();
        player.play();
        const auto calledApart = static_cast<long>(between.nsecsElapsed() * kRate / 1000000000);
        QTRY_VERIFY_WITH_TIMEOUT(player.mode() == MediaPlayer::Mode::Stopped, 5000);
        QTest::qWait(100);
        const auto sound = heard();
        const size_t start = firstSound(sound);
        QVERIFY(start < sound.size());
        verifySmooth(sound, start, sound.size());
        if (QTest::currentTestFailed())
            return;
        // The second file is heard whole, right after what was heard of the first, which was as
        // long as the calls were apart give or take the fade and a little: not the queue's 45 ms.
        const auto bursts = findBursts(sound, kRate / 50);
        QCOMPARE(bursts.size(), size_t(1));
        const auto heardFirst = static_cast<long>(bursts[0].length) - kRate / 2;
        QVERIFY2(std::abs(heardFirst - calledApart) < kRate / 50,
                 qPrintable(QStringLiteral("%1 frames of the first file heard, calls %2 apart")
                                .arg(heardFirst)
                                .arg(calledApart)));
    }

    // A pause fades out and holds the rest, which the resume plays on from where the position
    // stood; a looping play goes round its seam without a step.
    void pauseResumeAndLoopRunSmoothly() {
        MediaPlayer player(*m_output);
        player.setFileName(
            file(QStringLiteral("loop.wav"), kRate, sine(1000, kRate, kRate / 4, 0.5f)));
        player.open();
        player.setLooping(true);
        player.play();
        QTest::qWait(600); // past two seams
        player.pause();
        QCOMPARE(player.mode(), MediaPlayer::Mode::Paused);
        const qint64 pausedAt = player.position();
        QTest::qWait(300);
        QCOMPARE(player.position(), pausedAt);
        player.pause();
        QCOMPARE(player.mode(), MediaPlayer::Mode::Playing);
        QTest::qWait(150);
        player.close();
        QTest::qWait(100);
        const auto sound = heard();
        const auto bursts = findBursts(sound, kRate / 50);
        QCOMPARE(bursts.size(), size_t(2));
        for (const Burst& burst : bursts) // a start, also a resume's, is never faded in
            verifySmooth(sound, burst.start + 1, burst.start + burst.length);
        // What was held is not lost: about as much is heard after the resume as it played.
        QVERIFY2(std::abs(static_cast<long>(bursts[1].length) - kRate * 15 / 100) < kRate / 50,
                 qPrintable(QString::number(bursts[1].length)));
    }

    // A server that goes away loses the output; once it is back the next play finds it.
    void theNextPlayAfterTheServerReturnsPlays() {
        m_recorder.terminate();
        m_recorder.waitForFinished(5000);
        m_server.terminate();
        m_server.waitForFinished(5000);
        QTRY_VERIFY(m_output->lost());
        MediaPlayer player(*m_output);
        player.setFileName(
            file(QStringLiteral("back.wav"), kRate, sine(1000, kRate, kRate / 4, 0.5f)));
        player.open();
        QVERIFY(!m_output->isOpen()); // no server: it opened nothing
        m_output->close();
        QVERIFY(startServer());
        startRecorder();
        player.play();
        QTRY_VERIFY_WITH_TIMEOUT(player.mode() == MediaPlayer::Mode::Stopped, 5000);
        QTest::qWait(100);
        const auto bursts = findBursts(heard(), kRate / 50);
        QCOMPARE(bursts.size(), size_t(1));
        QVERIFY(std::abs(static_cast<long>(bursts[0].length) - kRate / 4) < kRate / 200);
    }
};

int main(int argc, char* argv[]) {
    IsolatedEnvironment environment;
    QApplication app(argc, argv);
    TestPulseOutput test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_pulseoutput.moc"
