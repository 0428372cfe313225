#include "playback/playbackcontrol.h"
#include "tests/playback/capture.h"
#include "tests/support/testenv.h"

#include <QApplication>

#include <cmath>
#include <functional>

namespace {

constexpr int kRate = 48000;

// Sound in which every frame differs from its neighbours, so a frame left out, repeated or
// shifted shows; no frame is silent, so the first one played is found in the capture.
std::vector<float> noise(size_t frames) {
    std::vector<float> samples(frames);
    uint32_t state = 12345;
    for (float& sample : samples) {
        state = state * 1664525u + 1013904223u;
        sample = 0.05f + 0.4f * static_cast<float>(state >> 8) / static_cast<float>(1u << 24);
    }
    return samples;
}

double largestStep(const std::vector<float>& samples, size_t from, size_t to) {
    double largest = 0;
    for (size_t i = from + 1; i < to; ++i)
        largest = std::max(largest, std::fabs(double(samples[i]) - double(samples[i - 1])));
    return largest;
}

} // namespace

// A looping play through a real output captured by SDL's disk driver: the file goes on from its
// first frame at its end, frame for frame, and the converter runs on across the seam.
class TestSeamlessLoop : public QObject {
    Q_OBJECT

    std::unique_ptr<CapturedPlayback> m_rig;

    // Loops the file until `stopWhen` holds, checked every few milliseconds, then stops it as
    // the Stop command does; returns the device frames played when the stop closed the device.
    uint64_t loopUntil(const QString& file, const std::function<bool()>& stopWhen) {
        uint64_t framesAtStop = 0;
        QTimer check;
        connect(&check, &QTimer::timeout, this, [&] {
            if (stopWhen() && !m_rig->control().flags().stopRequest)
                m_rig->control().stopPlaying();
        });
        const auto connection =
            connect(&m_rig->control(), &PlaybackControl::progressChanged, this, [&] {
                if (m_rig->control().flags().stopRequest && !framesAtStop)
                    framesAtStop = m_rig->output().framesPlayed();
            });
        QTimer::singleShot(20000, this, [&] { m_rig->control().stopPlaying(); }); // a backstop
        check.start(2);
        m_rig->control().playFile(file, true); // returns after the stop
        disconnect(connection);
        return framesAtStop;
    }
    uint64_t framesPlayed() { return m_rig->output().framesPlayed(); }

private Q_SLOTS:
    void init() { m_rig = std::make_unique<CapturedPlayback>(); }
    void cleanup() { m_rig.reset(); }

    void threePassesAreThreeExactCopies() {
        const std::vector<float> file = noise(12000); // 0.25 s
        loopUntil(m_rig->floatFile(QStringLiteral("quarter.wav"), kRate, file),
                  [&] { return framesPlayed() >= 3 * 12000 + 2400; });
        const auto sound = m_rig->played();
        const size_t start = firstSound(sound);
        QVERIFY(start < sound.size());
        QVERIFY2(
            matchingRun(sound, start, file, 0) >= 3 * file.size(),
            qPrintable(
                QStringLiteral("only %1 frames match").arg(matchingRun(sound, start, file, 0))));
    }

    void aSixtyFourFrameFileLoopsWithoutGaps() {
        const std::vector<float> file = noise(64);
        loopUntil(m_rig->floatFile(QStringLiteral("tiny.wav"), kRate, file),
                  [&] { return framesPlayed() >= 64 * 300; });
        const auto sound = m_rig->played();
        const size_t start = firstSound(sound);
        QVERIFY(start < sound.size());
        QVERIFY2(
            matchingRun(sound, start, file, 0) >= 64 * 300,
            qPrintable(
                QStringLiteral("only %1 frames match").arg(matchingRun(sound, start, file, 0))));
    }

    void aConvertedLoopHasNoStep_data() {
        QTest::addColumn<int>("rate");
        for (int rate : {44100, 22050, 11025, 32000, 8000, 96000})
            QTest::addRow("%d Hz", rate) << rate;
    }
    void aConvertedLoopHasNoStep() {
        QFETCH(int, rate);
        // 900 Hz goes into a fifth of a second a whole number of times, so the file itself runs on
        // smoothly from its end to its start; at 48 kHz a pass is 9600 frames.
        std::vector<float> file(static_cast<size_t>(rate / 5));
        for (size_t i = 0; i < file.size(); ++i)
            file[i] = 0.5f * static_cast<float>(std::sin(2 * M_PI * 900 * double(i) / rate + 1));
        loopUntil(m_rig->floatFile(QStringLiteral("converted.wav"), rate, file),
                  [&] { return framesPlayed() >= 3 * file.size() + file.size() / 4; });
        const auto sound = m_rig->played();
        const size_t start = firstSound(sound) + 2000; // past the converter's first ring-in
        const size_t end = start + 3 * 9600;
        QVERIFY(end < sound.size());
        // The largest step a 900 Hz sine of this height can take between two frames at 48 kHz.
        const double sineStep = 2 * 0.5 * std::sin(M_PI * 900 / 48000);
        const double inside = largestStep(sound, start, start + 7000);
        QVERIFY(inside > 0.95 * sineStep); // the check sees the tone
        const double all = largestStep(sound, start, end);
        QVERIFY2(all <= inside * 1.01,
                 qPrintable(QStringLiteral("a step of %1 within three passes, %2 within the file")
                                .arg(all)
                                .arg(inside)));
        const std::vector<float> passes(sound.begin() + static_cast<long>(start),
                                        sound.begin() + static_cast<long>(end));
        QCOMPARE(findBursts(passes, 2).size(), size_t(1)); // and no silence
    }

    void stopInTheSecondPassEndsWithinOneBuffer() {
        const std::vector<float> file = noise(12000);
        const uint64_t atStop = loopUntil(m_rig->floatFile(QStringLiteral("stop.wav"), kRate, file),
                                          [&] { return framesPlayed() >= 12000 + 6000; });
        QVERIFY(atStop >= 18000 && atStop < 24000);
        const int buffer = m_rig->output().bufferFrames();
        const auto sound = m_rig->played();
        const size_t start = firstSound(sound);
        size_t last = sound.size();
        while (last > start && sound[last - 1] == 0)
            --last;
        QVERIFY2(last - start >= atStop && last - start <= atStop + size_t(buffer),
                 qPrintable(QStringLiteral("sound ended %1 frames after the stop")
                                .arg(qint64(last - start) - qint64(atStop))));
    }

    void progressClimbsAndWrapsToZeroEachPass() {
        QList<int> progress;
        connect(&m_rig->control(), &PlaybackControl::progressChanged, this,
                [&](int percent) { progress.append(percent); });
        loopUntil(m_rig->floatFile(QStringLiteral("half.wav"), 8000, noise(4000)), // 0.5 s
                  [&] { return progress.count(0) >= 4; });
        int wraps = 0;
        for (qsizetype i = 1; i < progress.size() - 1; ++i) {
            if (progress[i] == 0) {
                QCOMPARE(progress[i - 1], 100); // each pass is seen to end, then starts at 0
                ++wraps;
            } else {
                QVERIFY(progress[i] >= progress[i - 1]);
            }
        }
        QVERIFY(wraps >= 2);
        QCOMPARE(progress.last(), 0);
    }

    void aSeekInALoopPlaysOnToTheEndAndWrapsToTheFirstFrame() {
        const std::vector<float> file = noise(24000); // 0.5 s
        bool sought = false;
        loopUntil(m_rig->floatFile(QStringLiteral("seek.wav"), kRate, file), [&] {
            if (!sought && framesPlayed() > 2400) {
                sought = true;
                m_rig->control().seekAtClick(Qt::LeftButton, Qt::ControlModifier, 50, 100);
                return false;
            }
            return sought && framesPlayed() >= 12000 + 12000 + 1000; // since the seek
        });
        QVERIFY(sought);
        const auto sound = m_rig->played();
        // Past the fade of the sound that the seek cut off, the file goes on from its middle.
        const std::vector<float> probe(file.begin() + 12500, file.begin() + 12564);
        const auto found = std::search(sound.begin(), sound.end(), probe.begin(), probe.end());
        QVERIFY(found != sound.end());
        const auto at = static_cast<size_t>(found - sound.begin());
        QVERIFY2(matchingRun(sound, at, file, 12500) >= 11500 + 12000,
                 "the loop did not wrap to the first frame after the seek");
    }
};

SONDRIX_TEST_MAIN(TestSeamlessLoop)
#include "tst_seamlessloop.moc"
