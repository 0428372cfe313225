#include "playback/playbackcontrol.h"
#include "tests/playback/capture.h"
#include "tests/support/testenv.h"

#include <QApplication>

#include <cmath>
#include <functional>

namespace {

constexpr int kRate = 48000;
constexpr size_t kFiveMs = kRate / 200;

// A full-scale 1 kHz tone for `toneFrames`, then silence up to `frames`.
std::vector<float> toneThenSilence(size_t toneFrames, size_t frames) {
    std::vector<float> samples(frames, 0.0f);
    for (size_t i = 0; i < toneFrames; ++i)
        samples[i] = static_cast<float>(std::cos(2 * M_PI * 1000 * double(i) / kRate));
    return samples;
}

} // namespace

// Sound cut off in any way fades out within a few milliseconds instead of stopping dead; sound
// that ends by itself and the start of a sound are played as they are. Real output, captured by
// SDL's disk driver.
class TestClickFree : public QObject {
    Q_OBJECT

    std::unique_ptr<CapturedPlayback> m_rig;

private Q_SLOTS:
    void init() { m_rig = std::make_unique<CapturedPlayback>(); }
    void cleanup() { m_rig.reset(); }

    void aCutOffSoundFadesOut_data() {
        QTest::addColumn<QString>("how");
        for (const char* how : {"close", "Stop", "Esc", "another file", "plain click on the bar",
                                "Ctrl+click on the bar"})
            QTest::newRow(how) << QString::fromLatin1(how);
    }
    void aCutOffSoundFadesOut() {
        QFETCH(QString, how);
        // The seek lands in the silent second half, so all that is heard after it is the fade.
        const std::vector<float> file = toneThenSilence(kRate, 2 * kRate);
        const QString silent = m_rig->floatFile(QStringLiteral("silent.wav"), kRate,
                                                std::vector<float>(kRate / 2, 0.0f));
        m_rig->control().playFile(m_rig->floatFile(QStringLiteral("tone.wav"), kRate, file), false);
        QTRY_VERIFY(m_rig->output().framesPlayed() >= 14400); // mid-period: 1 kHz is 48 frames
        const uint64_t atCut = m_rig->output().framesPlayed();
        if (how == QLatin1String("close"))
            m_rig->player().close();
        else if (how == QLatin1String("Stop"))
            m_rig->control().stopPlaying();
        else if (how == QLatin1String("Esc"))
            m_rig->control().abortAll();
        else if (how == QLatin1String("another file"))
            m_rig->control().playFile(silent, false);
        else if (how == QLatin1String("plain click on the bar"))
            m_rig->control().seekAtClick(Qt::LeftButton, {}, 10, 100);
        else
            m_rig->control().seekAtClick(Qt::LeftButton, Qt::ControlModifier, 75, 100);
        // Long enough past the fade for the output's thread to record it even on a busy machine.
        QTest::qWait(500);
        const auto sound = m_rig->played();

        const size_t start = firstSound(sound);
        QVERIFY(start < sound.size());
        const size_t cut = start + matchingRun(sound, start, file, 0);
        QVERIFY2(cut - start >= atCut, "sound played before the cut was altered");
        QVERIFY(cut + kFiveMs + kRate / 10 < sound.size()); // silence was recorded after it
        // The fade may step no more than the tone does, plus the slope of its own gain over the
        // shortest fade allowed, 2 ms.
        const double toneStep = 2 * std::sin(M_PI * 1000 / kRate);
        const double gainStep = M_PI / 2 / (kRate * 0.002);
        for (size_t i = cut; i < cut + kFiveMs; ++i)
            QVERIFY2(std::fabs(sound[i] - sound[i - 1]) <= toneStep + gainStep,
                     qPrintable(QStringLiteral("a step of %1, %2 frames into the fade")
                                    .arg(std::fabs(sound[i] - sound[i - 1]))
                                    .arg(i - cut)));
        // After at most 5 ms nothing is heard: no step above -60 dBFS, in fact silence.
        for (size_t i = cut + kFiveMs; i < sound.size(); ++i)
            QVERIFY2(std::fabs(sound[i]) < 1e-3,
                     qPrintable(QStringLiteral("sound %1 frames after the cut").arg(i - cut)));
    }

    // A file started while another plays, as a loop started over a play, begins once the old
    // sound has faded out: the two never sound together.
    void aStartDuringAFadeBeginsAfterIt() {
        const std::vector<float> level(kRate, 0.5f);
        m_rig->control().playFile(m_rig->floatFile(QStringLiteral("old.wav"), kRate, level), false);
        QTRY_VERIFY(m_rig->output().framesPlayed() >= kRate / 10);
        m_rig->control().playFile(m_rig->floatFile(QStringLiteral("new.wav"), kRate, level), false);
        QTest::qWait(200);
        const auto sound = m_rig->played();
        const auto loudest = std::max_element(sound.begin(), sound.end(), [](float a, float b) {
            return std::fabs(a) < std::fabs(b);
        });
        QVERIFY(loudest != sound.end());
        QVERIFY2(std::fabs(*loudest) <= 0.5f + 1e-4f,
                 qPrintable(QStringLiteral("old and new sound overlap: %1 at frame %2")
                                .arg(*loudest)
                                .arg(loudest - sound.begin())));
    }

    void aSoundThatEndsByItselfAndAStartAreNotAltered() {
        const std::vector<float> file = toneThenSilence(kRate / 10, kRate / 10);
        m_rig->control().playFile(m_rig->floatFile(QStringLiteral("short.wav"), kRate, file),
                                  false);
        QTRY_VERIFY_WITH_TIMEOUT(!m_rig->player().isOpen(), 10000); // the poll found the end
        QTest::qWait(50);
        const auto sound = m_rig->played();
        const size_t start = firstSound(sound);
        QVERIFY(start < sound.size());
        QCOMPARE(matchingRun(sound, start, file, 0), file.size());
        QVERIFY(std::all_of(sound.begin() + static_cast<long>(start + file.size()), sound.end(),
                            [](float s) { return s == 0; }));
    }
};

SONDRIX_TEST_MAIN(TestClickFree)
#include "tst_clickfree.moc"
