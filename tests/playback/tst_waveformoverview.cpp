#include "bench/bigwav.h"
#include "playback/waveformoverview.h"
#include "tests/support/testenv.h"
#include "tests/support/wavfiles.h"

#include <QSignalSpy>

#include <sndfile.h>

#include <algorithm>
#include <exception>
#include <vector>

namespace {

constexpr qint64 kLongBytes = 1024LL * 1024 * 1024;

// A float WAV file of interleaved `samples`.
bool writeSamples(const QString& path, int channels, const std::vector<float>& samples) {
    SF_INFO info{};
    info.samplerate = 48000;
    info.channels = channels;
    info.format = SF_FORMAT_WAV | SF_FORMAT_FLOAT;
    SNDFILE* file = sf_open(QFile::encodeName(path).constData(), SFM_WRITE, &info);
    if (!file)
        return false;
    const auto frames = static_cast<sf_count_t>(samples.size()) / channels;
    const bool written = sf_writef_float(file, samples.data(), frames) == frames;
    return sf_close(file) == 0 && written;
}

// A silent mono file with one click of `height` at `clickFrame`.
bool writeClick(const QString& path, int frames, int clickFrame, float height) {
    std::vector<float> samples(static_cast<size_t>(frames), 0.0f);
    samples[static_cast<size_t>(clickFrame)] = height;
    return writeSamples(path, 1, samples);
}

// 1 GiB of 16-bit stereo, most of it a hole in the file: ten seconds of tone, then silence.
bool writeLongFile(const QString& path) {
    try {
        writeBigWav(path, kLongBytes, 48000);
        return true;
    } catch (const std::exception& error) {
        qWarning("%s", error.what());
        return false;
    }
}

// A scan long enough to be still running when the test goes on.
bool startLongScan(const QTemporaryDir& dir, WaveformOverview& overview) {
    const QString path = dir.filePath(QStringLiteral("long.wav"));
    if (!writeLongFile(path))
        return false;
    overview.load(path, 300);
    return QTest::qWaitFor([&] { return overview.peaks().known > 0; });
}

// The column holding the highest peak.
int loudestColumn(const WaveformPeaks& peaks) {
    int loudest = 0;
    for (int c = 0; c < static_cast<int>(peaks.columns.size()); ++c)
        if (peaks.columns[static_cast<size_t>(c)].max >
            peaks.columns[static_cast<size_t>(loudest)].max)
            loudest = c;
    return loudest;
}

} // namespace

// The waveform overview of the loaded file, computed on a worker.
class TestWaveformOverview : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void clickAtAQuarterPeaksAtAQuarterOfTheWidth_data() {
        QTest::addColumn<int>("columns");
        QTest::newRow("wide bar") << 400;
        QTest::newRow("narrow bar") << 120;
        QTest::newRow("more columns than frames") << 60000;
    }
    void clickAtAQuarterPeaksAtAQuarterOfTheWidth() {
        QFETCH(int, columns);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("click.wav"));
        const int frames = 48000;
        QVERIFY(writeClick(path, frames, frames / 4, 0.75f));
        WaveformOverview overview;
        QSignalSpy finished(&overview, &WaveformOverview::finished);
        overview.load(path, columns);
        QVERIFY(finished.wait());
        QCOMPARE(finished.at(0).at(0).toBool(), true);
        const WaveformPeaks& peaks = overview.peaks();
        QVERIFY(peaks.isComplete());
        QCOMPARE(static_cast<int>(peaks.columns.size()), columns);
        QCOMPARE(loudestColumn(peaks), columns / 4);
        QVERIFY(qAbs(peaks.columns[static_cast<size_t>(columns / 4)].max - 0.75f) < 0.001f);
        QCOMPARE(peaks.columns[static_cast<size_t>(columns / 4 + 2)].max, 0.0f);
        QCOMPARE(peaks.columns[static_cast<size_t>(columns / 4 - 2)].max, 0.0f);
    }

    // All channels fold into one column: the lowest of one and the highest of the other.
    void channelsAreFolded() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("stereo.wav"));
        QVERIFY(writeSamples(path, 2, {0.5f, -0.25f, 0.0f, 0.0f, -0.5f, 0.125f, 0.0f, 0.0f}));
        WaveformOverview overview;
        QSignalSpy finished(&overview, &WaveformOverview::finished);
        overview.load(path, 2);
        QVERIFY(finished.wait());
        QCOMPARE(overview.peaks().columns[0].max, 0.5f);
        QCOMPARE(overview.peaks().columns[0].min, -0.25f);
        QCOMPARE(overview.peaks().columns[1].max, 0.125f);
        QCOMPARE(overview.peaks().columns[1].min, -0.5f);
    }

    // Peaks arrive from the left while the scan runs, then complete. The file is longer than
    // the exact reading, so its columns are sampled in blocks; the tone is in the first column
    // alone (18.6 s each), at the height it was written.
    void partialPeaksArriveFirst() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("long.wav"));
        QVERIFY(writeLongFile(path));
        WaveformOverview overview;
        QSignalSpy changed(&overview, &WaveformOverview::peaksChanged);
        QSignalSpy finished(&overview, &WaveformOverview::finished);
        overview.load(path, 300);
        QVERIFY(finished.wait(20000));
        QCOMPARE(finished.at(0).at(0).toBool(), true);
        QVERIFY(changed.first().at(0).value<WaveformPeaks>().isEmpty());
        const auto isPartial = [](const QList<QVariant>& emitted) {
            const int known = emitted.at(0).value<WaveformPeaks>().known;
            return known > 0 && known < 300;
        };
        QVERIFY(std::any_of(changed.begin(), changed.end(), isPartial));
        const WaveformPeaks& peaks = overview.peaks();
        QVERIFY(peaks.isComplete());
        QCOMPARE(loudestColumn(peaks), 0);
        QVERIFY(qAbs(peaks.columns[0].max - 12000.0f / 32768.0f) < 0.01f);
        QVERIFY(qAbs(peaks.columns[0].min + 12000.0f / 32768.0f) < 0.01f);
        QCOMPARE(peaks.columns[1].max, 0.0f);
        QCOMPARE(peaks.columns[299].min, 0.0f);
    }

    // Loading another file stops the old scan: nothing of it arrives afterwards.
    void anotherFileCancelsTheOldScan() {
        QTemporaryDir dir;
        const QString click = dir.filePath(QStringLiteral("click.wav"));
        QVERIFY(writeClick(click, 8000, 2000, 0.5f));
        WaveformOverview overview;
        QVERIFY(startLongScan(dir, overview));
        QSignalSpy finished(&overview, &WaveformOverview::finished);
        QSignalSpy changed(&overview, &WaveformOverview::peaksChanged);
        overview.load(click, 100);
        QVERIFY(finished.wait());
        QCOMPARE(finished.count(), 1);
        QCOMPARE(overview.path(), click);
        QCOMPARE(loudestColumn(overview.peaks()), 25);
        for (const QList<QVariant>& emitted : changed) {
            const auto peaks = emitted.at(0).value<WaveformPeaks>();
            QVERIFY(peaks.columns.empty() || peaks.columns.size() == 100);
        }
    }

    void clearDropsTheOverview() {
        QTemporaryDir dir;
        WaveformOverview overview;
        QVERIFY(startLongScan(dir, overview));
        QSignalSpy finished(&overview, &WaveformOverview::finished);
        QSignalSpy changed(&overview, &WaveformOverview::peaksChanged);
        overview.clear();
        QCOMPARE(changed.count(), 1);
        QVERIFY(overview.peaks().columns.empty());
        QVERIFY(overview.path().isEmpty());
        QTest::qWait(300);
        QCOMPARE(changed.count(), 1);
        QCOMPARE(finished.count(), 0);
    }

    void unreadableFileFinishesIncomplete() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("x.wav"));
        writeTextFile(path, "not sound");
        WaveformOverview overview;
        QSignalSpy finished(&overview, &WaveformOverview::finished);
        overview.load(path, 100);
        QVERIFY(finished.wait());
        QCOMPARE(finished.at(0).at(0).toBool(), false);
        QVERIFY(overview.peaks().isEmpty());
    }
};

SONDRIX_TEST_MAIN(TestWaveformOverview)
#include "tst_waveformoverview.moc"
