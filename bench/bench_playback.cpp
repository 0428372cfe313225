// The playback figures a person auditioning files feels: how soon a click is heard, what a
// looping play costs the processor, and how much memory a very large file takes while it plays.
// Output goes through SDL's disk driver, so the real decoder, feeder, ring and callback run.
// Usage: bench_playback [--soak-minutes N] (10 by default; the underrun figure is for 10 min).
#include "bench/bigwav.h"
#include "playback/mediaplayer.h"
#include "playback/playbackcontrol.h"
#include "playback/sdlaudiooutput.h"
#include "playback/waveformoverview.h"

#include <QCoreApplication>
#include <QTemporaryDir>
#include <QTimer>

#include <sys/resource.h>

#include <QFile>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

constexpr qint64 kGiB = 1024LL * 1024 * 1024;
constexpr int kClicks = 200;
constexpr int kSeamFrames = 960; // 20 ms
constexpr int kSeamPasses = 100;

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

double percentile(const std::vector<double>& sorted, double share) {
    const auto rank = static_cast<size_t>(std::ceil(share * static_cast<double>(sorted.size())));
    return sorted[std::clamp<size_t>(rank, 1, sorted.size()) - 1];
}

std::string loadAverage() {
    std::ifstream file("/proc/loadavg");
    std::string one, five, fifteen;
    file >> one >> five >> fifteen;
    return one + " " + five + " " + fifteen;
}

// Waits until the audio callback has handed on the first frame of the play and returns when it
// did, as the callback noted it: a wake-up of this thread delayed by a busy machine does not
// count. nullopt after a second. What the disk driver wrote is not read: SDL writes through a
// stdio buffer of one pipe page, which holds a buffer of under 4096 bytes back until the next.
std::optional<Clock::time_point> firstFrameOut(const SdlAudioOutput& output) {
    const Clock::time_point start = Clock::now();
    while (output.firstFrameTicks() == 0) {
        if (Clock::now() - start > std::chrono::seconds(1))
            return std::nullopt;
        std::this_thread::sleep_for(std::chrono::microseconds(20));
    }
    return Clock::time_point(Clock::duration(output.firstFrameTicks()));
}

// From the load step to the first frame the output hands on, over repeated clicks that land at
// every point of the output's buffer period. With `overview`, each load also starts the waveform
// overview as the progress bar does, and the click's handler returns to the event loop as the
// program's does, so the overview's scan runs while the first sound goes out. Returns the median.
double measureTimeToSound(const QString& dir, bool overview) {
    const QString file = dir + QStringLiteral("/one-gib.wav");
    writeBigWav(file, kGiB, 44100);
    Rig rig(QStringLiteral("/dev/null"), -1);
    WaveformOverview waveform;
    if (overview)
        QObject::connect(&rig.control, &PlaybackControl::fileLoaded, &waveform,
                         [&waveform](const QString& loaded) { waveform.load(loaded, 1000); });
    const std::string loadBefore = loadAverage();
    std::vector<double> delays, steps;
    for (int run = 0; run < kClicks; ++run) {
        rig.control.DoStopAll();
        std::this_thread::sleep_for(std::chrono::microseconds(30000 + 1000 * (run % 11)));
        const Clock::time_point click = Clock::now();
        rig.control.playFile(file, false);
        steps.push_back(msBetween(click, Clock::now()));
        QCoreApplication::processEvents();
        if (const std::optional<Clock::time_point> out = firstFrameOut(rig.output))
            delays.push_back(msBetween(click, *out));
    }
    rig.control.DoStopAll();
    std::sort(delays.begin(), delays.end());
    std::sort(steps.begin(), steps.end());
    const double period = 1000.0 * rig.output.bufferFrames() / rig.output.sampleRate();
    if (delays.empty()) {
        std::printf("time to sound: nothing was heard\n");
        return 0.0;
    }
    const double median = percentile(delays, 0.5), p95 = percentile(delays, 0.95);
    std::printf(
        "time to sound, waveform overview %s, load step to first frame handed to the "
        "device, 1 GiB 16-bit stereo 44.1 kHz file, %zu of %d clicks heard: median %.2f ms, "
        "95th percentile %.2f ms, max %.2f ms (target < 15 ms)\n",
        overview ? "on" : "off", delays.size(), kClicks, median, p95, delays.back());
    std::printf("  output buffer period %.2f ms (%d frames at %d Hz); as ratios: median %.2f, "
                "95th percentile %.2f (target <= 1.0), max %.2f (target <= 1.5); load average "
                "%s before, %s after\n",
                period, rig.output.bufferFrames(), rig.output.sampleRate(), median / period,
                p95 / period, delays.back() / period, loadBefore.c_str(), loadAverage().c_str());
    std::printf("  of which the load and start steps, until the play call returns: median %.2f ms, "
                "95th percentile %.2f ms, max %.2f ms; %llu frames of underrun in these plays\n",
                percentile(steps, 0.5), percentile(steps, 0.95), steps.back(),
                static_cast<unsigned long long>(rig.output.underrunFrames()));
    return median;
}

// Loops a short file for 100 passes at the output's pace and compares what was played, frame for
// frame, with the file repeated: a seam that leaves out, repeats or delays frames shows.
void measureSeams(const QString& dir) {
    const QString file = dir + QStringLiteral("/seam.wav");
    const std::vector<int16_t> samples = writeSeamWav(file, kSeamFrames, 48000);
    const QString sink = dir + QStringLiteral("/seams.raw");
    {
        Rig rig(sink, -1);
        QTimer check;
        QObject::connect(&check, &QTimer::timeout, [&] {
            if (rig.output.framesPlayed() >= uint64_t(kSeamPasses) * kSeamFrames + kSeamFrames / 2)
                rig.control.stopPlaying();
        });
        check.start(2);
        rig.control.playFile(file, true); // returns after the stop
    }
    QFile played(sink);
    if (!played.open(QIODevice::ReadOnly)) {
        std::printf("seam check: nothing was recorded\n");
        return;
    }
    const QByteArray bytes = played.readAll();
    const auto* out = reinterpret_cast<const float*>(bytes.constData());
    const size_t frames = static_cast<size_t>(bytes.size()) / (2 * sizeof(float));
    size_t start = 0;
    while (start < frames && out[2 * start] == 0.0f)
        ++start;
    const size_t wanted = size_t(kSeamPasses) * kSeamFrames;
    size_t silent = 0, wrong = 0;
    for (size_t i = 0; i < wanted && start + i < frames; ++i) {
        const float expected = static_cast<float>(samples[i % kSeamFrames]) / 32768.0f;
        silent += out[2 * (start + i)] == 0.0f;
        wrong += out[2 * (start + i)] != expected;
    }
    const size_t missing = wanted - std::min(wanted, frames - std::min(frames, start));
    std::printf("seam check, %d passes of a %d-frame file at the output's pace: %.2f frames of "
                "gap per pass (target 0); %zu frames differ from the file repeated, %zu missing\n",
                kSeamPasses, kSeamFrames, static_cast<double>(silent) / kSeamPasses, wrong,
                missing);
}

// A long looping play at the output's pace: the frames the audio callback had to fill with
// silence while the file played.
void measureUnderruns(const QString& dir, double minutes) {
    const QString file = dir + QStringLiteral("/soak.wav");
    writeBigWav(file, 44100 * 4 * 3, 44100); // three seconds, converted to the output's rate
    Rig rig(QStringLiteral("/dev/null"), -1);
    const auto ms = static_cast<int>(minutes * 60000);
    QTimer::singleShot(ms, &rig.control, [&] { rig.control.stopPlaying(); });
    const std::string loadBefore = loadAverage();
    rig.control.playFile(file, true);
    const double perTen = static_cast<double>(rig.output.underrunFrames()) * 10.0 / minutes;
    std::printf("underruns in a %.1f min looping play of a 44.1 kHz file: %llu frames of silence "
                "(%.0f per 10 min; target 0); load average %s before, %s after\n",
                minutes, static_cast<unsigned long long>(rig.output.underrunFrames()), perTen,
                loadBefore.c_str(), loadAverage().c_str());
}

// A file looped for ten seconds at the output's own pace.
void measureLoopCost(const QString& dir) {
    const QString file = dir + QStringLiteral("/loop.wav");
    writeBigWav(file, 44100 * 4, 44100); // one second
    Rig rig(QStringLiteral("/dev/null"), -1);
    QTimer::singleShot(10000, &rig.control, [&] { rig.control.stopPlaying(); });
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
    const QStringList arguments = QCoreApplication::arguments();
    const qsizetype soakAt = arguments.indexOf(QStringLiteral("--soak-minutes"));
    const double soakMinutes =
        soakAt > 0 && soakAt + 1 < arguments.size() ? arguments[soakAt + 1].toDouble() : 10.0;
    if (soakMinutes <= 0) {
        std::fprintf(stderr, "usage: bench_playback [--soak-minutes N]\n");
        return 2;
    }
    try {
        measureMemory(dir.path());
        const double without = measureTimeToSound(dir.path(), false);
        const double with = measureTimeToSound(dir.path(), true);
        std::printf("time to sound with / without the waveform overview: %.3f (target <= 1.05)\n",
                    without > 0.0 ? with / without : 0.0);
        measureSeams(dir.path());
        measureLoopCost(dir.path());
        measureUnderruns(dir.path(), soakMinutes);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "bench_playback: %s\n", error.what());
        return 1;
    }
    return 0;
}
