#include "playback/waveformoverview.h"
#include "tests/support/testenv.h"
#include "tests/support/wavfiles.h"

#include <QSignalSpy>

#include <sndfile.h>

#include <algorithm>
#include <vector>

namespace {

// A silent mono file with one click of `height` at `clickFrame`.
void writeClick(const QString& path, int frames, int clickFrame, float height) {
    SF_INFO info{};
    info.samplerate = 48000;
    info.channels = 1;
    info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
    SNDFILE* file = sf_open(QFile::encodeName(path).constData(), SFM_WRITE, &info);
    QVERIFY(file);
    std::vector<float> samples(static_cast<size_t>(frames), 0.0f);
    samples[static_cast<size_t>(clickFrame)] = height;
    QCOMPARE(sf_writef_float(file, samples.data(), frames), sf_count_t(frames));
    sf_close(file);
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
        writeClick(path, frames, frames / 4, 0.75f);
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
        SF_INFO info{};
        info.samplerate = 8000;
        info.channels = 2;
        info.format = SF_FORMAT_WAV | SF_FORMAT_FLOAT;
        SNDFILE* file = sf_open(QFile::encodeName(path).constData(), SFM_WRITE, &info);
        QVERIFY(file);
        const float frames[] = {0.5f, -0.25f, 0.0f, 0.0f, -0.5f, 0.125f, 0.0f, 0.0f};
        QCOMPARE(sf_writef_float(file, frames, 4), sf_count_t(4));
        sf_close(file);
        WaveformOverview overview;
        QSignalSpy finished(&overview, &WaveformOverview::finished);
        overview.load(path, 2);
        QVERIFY(finished.wait());
        QCOMPARE(overview.peaks().columns[0].max, 0.5f);
        QCOMPARE(overview.peaks().columns[0].min, -0.25f);
        QCOMPARE(overview.peaks().columns[1].max, 0.125f);
        QCOMPARE(overview.peaks().columns[1].min, -0.5f);
    }

    // Peaks arrive from the left while the scan runs, then complete.
    void partialPeaksArriveFirst() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("long.wav"));
        QVERIFY(writeTone(path, {48000, 2, 0, 120.0, 440.0}));
        WaveformOverview overview;
        QSignalSpy changed(&overview, &WaveformOverview::peaksChanged);
        QSignalSpy finished(&overview, &WaveformOverview::finished);
        overview.load(path, 500);
        QVERIFY(finished.wait(20000));
        QVERIFY(changed.first().at(0).value<WaveformPeaks>().isEmpty());
        const auto isPartial = [](const QList<QVariant>& emitted) {
            const int known = emitted.at(0).value<WaveformPeaks>().known;
            return known > 0 && known < 500;
        };
        QVERIFY(std::any_of(changed.begin(), changed.end(), isPartial));
        QVERIFY(overview.peaks().isComplete());
    }

    // Loading another file stops the old scan: nothing of it arrives afterwards.
    void anotherFileCancelsTheOldScan() {
        QTemporaryDir dir;
        const QString longFile = dir.filePath(QStringLiteral("long.wav"));
        const QString click = dir.filePath(QStringLiteral("click.wav"));
        QVERIFY(writeTone(longFile, {48000, 2, 0, 120.0, 440.0}));
        writeClick(click, 8000, 2000, 0.5f);
        WaveformOverview overview;
        overview.load(longFile, 300);
        QTRY_VERIFY(overview.peaks().known > 0); // the long scan is under way
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
        const QString longFile = dir.filePath(QStringLiteral("long.wav"));
        QVERIFY(writeTone(longFile, {48000, 2, 0, 120.0, 440.0}));
        WaveformOverview overview;
        overview.load(longFile, 300);
        QTRY_VERIFY(overview.peaks().known > 0);
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
