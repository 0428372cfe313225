// What a person waits for before seeing a file: the hover tooltip's header read and the
// progress bar's waveform overview of a very large file, with the targets beside the figures.
// bench_playback gives the time to sound with the overview on and off.
#include "bench/bigwav.h"
#include "bench/timing.h"
#include "playback/soundfileinfo.h"
#include "playback/waveformoverview.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTemporaryDir>

#include <cstdio>
#include <exception>

namespace {

constexpr qint64 kGiB = 1024LL * 1024 * 1024;
constexpr int kSampleRate = 48000;

// Loads the file into an overview and runs events until its scan has finished.
double overviewMs(const QString& path, int columns, WaveformPeaks& peaks) {
    return medianMs(3, [&] {
        WaveformOverview overview;
        QEventLoop loop;
        QObject::connect(&overview, &WaveformOverview::finished, &loop, &QEventLoop::quit);
        overview.load(path, columns);
        loop.exec();
        peaks = overview.peaks();
    });
}

// The last column holding sound: the file's tone lasts its first ten seconds.
int lastSoundingColumn(const WaveformPeaks& peaks) {
    for (int c = static_cast<int>(peaks.columns.size()) - 1; c >= 0; --c)
        if (peaks.columns[static_cast<size_t>(c)].max > 0.0f)
            return c;
    return -1;
}

void measureHeaderReads(const QString& normal, const QString& big) {
    const double normalMs = medianMs(101, [&] { soundFileInfoText(normal); });
    std::printf("tooltip header read, 10 s WAV:     %8.3f ms  (target < 2 ms)\n", normalMs);
    const double bigMs = medianMs(101, [&] { soundFileInfoText(big); });
    std::printf("tooltip header read, 1 GiB WAV:    %8.3f ms  (target < 2 ms)\n", bigMs);
}

void measureOverviews(const QString& normal, const QString& big) {
    const double bigSeconds = static_cast<double>(kGiB) / 4.0 / kSampleRate;
    for (const int columns : {300, 1000, 2000}) {
        WaveformPeaks peaks;
        const double ms = overviewMs(big, columns, peaks);
        const double toneEnd = 10.0 / bigSeconds * columns;
        std::printf("overview, 1 GiB WAV, %4d columns: %8.1f ms  (target <= 2000 ms); "
                    "%zu bytes of peaks; complete %s, tone ends in column %d (expected %.1f)\n",
                    columns, ms, peaks.columns.size() * sizeof(WaveformPeaks::Column),
                    peaks.isComplete() ? "yes" : "NO", lastSoundingColumn(peaks), toneEnd);
    }
    WaveformPeaks peaks;
    const double normalMs = overviewMs(normal, 1000, peaks);
    std::printf("overview, 10 s WAV, 1000 columns:  %8.1f ms  (every sample read)\n", normalMs);
}

// What the user-interface thread spends: starting a scan, and stopping it by loading again.
void measureUserInterfaceCost(const QString& big) {
    WaveformOverview overview;
    const double loadMs = medianMs(101, [&] { overview.load(big, 1000); });
    std::printf("load of a 1 GiB WAV while a scan runs: %.1f us on the user-interface thread\n",
                loadMs * 1000.0);
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    const QTemporaryDir dir;
    const QString normal = dir.filePath(QStringLiteral("normal.wav"));
    const QString big = dir.filePath(QStringLiteral("big.wav"));
    try {
        writeBigWav(normal, 10LL * kSampleRate * 4, kSampleRate);
        writeBigWav(big, kGiB, kSampleRate);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "bench_overview: %s\n", error.what());
        return 1;
    }
    measureHeaderReads(normal, big);
    measureOverviews(normal, big);
    measureUserInterfaceCost(big);
    return 0;
}
