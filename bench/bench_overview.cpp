// What a person waits for before seeing a file: the hover tooltip's header read and the
// progress bar's waveform overview of a very large file, with the targets beside the figures.
// The time to sound with the overview on and off needs the overview bound to the progress bar;
// bench_playback gives the time to sound without it.
#include "bench/bigwav.h"
#include "bench/timing.h"
#include "playback/soundfileinfo.h"
#include "playback/waveformoverview.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTemporaryDir>

#include <sys/resource.h>

#include <algorithm>
#include <cstdio>
#include <vector>

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

double peakResidentMiB() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0; // kilobytes on Linux
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    if (!dir.isValid())
        return 1;
    const QString normal = dir.filePath(QStringLiteral("normal.wav"));
    const QString big = dir.filePath(QStringLiteral("big.wav"));
    writeBigWav(normal, 10LL * kSampleRate * 4, kSampleRate);
    writeBigWav(big, kGiB, kSampleRate);

    const double headerMs = medianMs(101, [&] { soundFileInfoText(normal); });
    std::printf("tooltip header read, 10 s WAV:     %8.3f ms  (target < 2 ms)\n", headerMs);
    const double bigHeaderMs = medianMs(101, [&] { soundFileInfoText(big); });
    std::printf("tooltip header read, 1 GiB WAV:    %8.3f ms  (target < 2 ms)\n", bigHeaderMs);

    std::vector<double> loadCalls;
    const double bigSeconds = static_cast<double>(kGiB) / 4.0 / kSampleRate;
    for (const int columns : {300, 1000, 2000}) {
        WaveformPeaks peaks;
        const double ms = overviewMs(big, columns, peaks);
        const double toneEnd = 10.0 / bigSeconds * columns;
        std::printf("overview, 1 GiB WAV, %4d columns: %8.1f ms  (target <= 2000 ms); "
                    "complete %s, tone ends in column %d (expected %.1f)\n",
                    columns, ms, peaks.isComplete() ? "yes" : "NO", lastSoundingColumn(peaks),
                    toneEnd);
    }
    const double loadCallMs = medianMs(101, [&] {
        WaveformOverview overview;
        QElapsedTimer call;
        call.start();
        overview.load(big, 1000);
        loadCalls.push_back(static_cast<double>(call.nsecsElapsed()) / 1e6);
    });
    std::sort(loadCalls.begin(), loadCalls.end());
    std::printf("load call on the user-interface thread: %.3f ms median (including the scan's "
                "cancelling when the overview goes: %.1f ms)\n",
                loadCalls[loadCalls.size() / 2], loadCallMs);
    WaveformPeaks peaks;
    const double normalMs = overviewMs(normal, 1000, peaks);
    std::printf("overview, 10 s WAV, 1000 columns:  %8.1f ms  (every sample read)\n", normalMs);
    std::printf("peak resident memory:              %8.1f MiB\n", peakResidentMiB());
    std::printf("time to sound with / without the overview: needs the overview bound to the "
                "progress bar; not measured here\n");
    return 0;
}
