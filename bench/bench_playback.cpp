// The playback figures a person auditioning files feels: how soon a click is heard, what a
// looping play costs the processor, and how much memory a very large file takes while it plays.
// Output goes through SDL's disk driver, so the real decoder, feeder, ring and callback run.
#include "bench/bigwav.h"
#include "bench/fifotap.h"
#include "playback/mediaplayer.h"
#include "playback/playbackcontrol.h"
#include "playback/sdlaudiooutput.h"
#include "playback/waveformoverview.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>

#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

constexpr qint64 kGiB = 1024LL * 1024 * 1024;

// One output, its device and its playback control, with the disk driver aimed at `sink`.
struct Rig {
    Rig(const QString& sink, int ioDelayMs) {
        qputenv("SDL_AUDIODRIVER", "disk");
        qputenv("SDL_DISKAUDIOFILE", sink.toLocal8Bit());
        if (ioDelayMs >= 0)
            qputenv("SDL_DISKAUDIODELAY", QByteArray::number(ioDelayMs));
        else
            qunsetenv("SDL_DISKAUDIODELAY");
        output.open();
    }
    SdlAudioOutput output;
    MediaPlayer player{output};
    PlaybackControl control{player};
};

double cpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const auto seconds = [](const timeval& t) {
        return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) / 1e6;
    };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

double peakResidentMiB() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0; // kilobytes on Linux
}

double msBetween(Clock::time_point from, Clock::time_point to) {
    return std::chrono::duration<double, std::milli>(to - from).count();
}

// Plays the whole file as fast as the decoder goes and reports the peak resident memory.
void measureMemory(const QString& dir) {
    const QString file = dir + QStringLiteral("/two-gib.wav");
    writeBigWav(file, 2 * kGiB, 48000);
    const double before = peakResidentMiB();
    Rig rig(QStringLiteral("/dev/null"), 0);
    const Clock::time_point start = Clock::now();
    rig.control.playFile(file, false);
    const qint64 lengthMs = rig.player.length();
    while (rig.player.isOpen())
        PlaybackControl::processEventsTurn(true);
    const double seconds = msBetween(start, Clock::now()) / 1000.0;
    std::printf("peak resident memory playing a 2 GiB file (%.0f min of sound, played through in "
                "%.1f s): %.1f MiB (target < 80 MB; %.1f MiB before the play)\n",
                static_cast<double>(lengthMs) / 60000.0, seconds, peakResidentMiB(), before);
}

// From the load step to the first sound the output hands on, over repeated clicks; with
// `overview` each load also starts the waveform overview, bound as the progress bar binds it.
// Returns the median.
double measureTimeToSound(const QString& dir, bool overview) {
    const QString file = dir + QStringLiteral("/one-gib.wav");
    if (!QFile::exists(file))
        writeBigWav(file, kGiB, 44100);
    FifoTap tap(dir + (overview ? QStringLiteral("/tap-overview") : QStringLiteral("/tap")));
    Rig rig(tap.path(), -1);
    WaveformOverview waveform;
    if (overview)
        QObject::connect(&rig.control, &PlaybackControl::fileLoaded, &waveform,
                         [&waveform](const QString& loaded) { waveform.load(loaded, 1000); });
    std::vector<double> delays;
    for (int run = 0; run < 41; ++run) {
        rig.control.DoStopAll();
        std::this_thread::sleep_for(std::chrono::milliseconds(30 + run % 7));
        tap.arm();
        const Clock::time_point click = Clock::now();
        rig.control.playFile(file, false);
        const std::optional<Clock::time_point> heard = tap.waitForSound(std::chrono::seconds(2));
        if (heard)
            delays.push_back(msBetween(click, *heard));
    }
    rig.control.DoStopAll();
    std::sort(delays.begin(), delays.end());
    const double period = 1000.0 * rig.output.bufferFrames() / rig.output.sampleRate();
    if (delays.empty()) {
        std::printf("time to sound: nothing was heard\n");
        return 0.0;
    }
    const double median = delays[delays.size() / 2];
    std::printf(
        "time to sound, overview %s, load step to first non-silent frame out, 1 GiB 16-bit stereo "
        "44.1 kHz file, %zu clicks: median %.2f ms, max %.2f ms (target < 15 ms); output "
        "buffer period %.2f ms (%d frames at %d Hz), ratio %.2f\n",
        overview ? "on" : "off", delays.size(), median, delays.back(), period,
        rig.output.bufferFrames(), rig.output.sampleRate(), median / period);
    return median;
}

// A file looped for ten seconds at the output's own pace.
void measureLoopCost(const QString& dir) {
    const QString file = dir + QStringLiteral("/loop.wav");
    writeBigWav(file, 44100 * 4, 44100); // one second
    Rig rig(QStringLiteral("/dev/null"), -1);
    QTimer::singleShot(10000, &rig.control, [&] { rig.control.miControlsStopClick(); });
    const double cpuBefore = cpuSeconds();
    const Clock::time_point start = Clock::now();
    rig.control.playFile(file, true);
    const double wall = msBetween(start, Clock::now()) / 1000.0;
    const double cpu = cpuSeconds() - cpuBefore;
    std::printf("looping play of a 1 s file for %.1f s: %.2f%% of one core (target < 2%%)\n", wall,
                100.0 * cpu / wall);
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    if (!dir.isValid())
        return 1;
    try {
        measureMemory(dir.path());
        const double without = measureTimeToSound(dir.path(), false);
        const double with = measureTimeToSound(dir.path(), true);
        std::printf("time to sound with / without the waveform overview: %.3f (target <= 1.05)\n",
                    without > 0.0 ? with / without : 0.0);
        measureLoopCost(dir.path());
    } catch (const std::exception& error) {
        std::fprintf(stderr, "bench_playback: %s\n", error.what());
        return 1;
    }
    return 0;
}
