// Plays a one-second tone looping through the program's own output for a given number of seconds
// (600 unless told) while another process records the server's mix, then counts the dropouts in
// all of it and the processor time this process, the program's playback, spent meanwhile, as a
// share of one core. Then `paplay` plays one tone as long, and its dropouts are counted the same
// way: what the server itself loses over that time.
// bench/e2e_sound.sh sets up the server and the recorder.
#include "bench/bigwav.h"
#include "bench/recording.h"
#include "playback/mediaplayer.h"
#include "playback/systemaudiooutput.h"

#include <QFile>
#include <QTemporaryDir>

#include <cmath>
#include <cstdio>
#include <stdexcept>
#include <string>
#include <thread>
#include <unistd.h>

namespace {

constexpr int kToneRate = 48000; // one second of 440 Hz holds whole periods: the seam is smooth

// User and system time of this process so far, in seconds.
double processorSeconds() {
    QFile stat(QStringLiteral("/proc/self/stat"));
    if (!stat.open(QIODevice::ReadOnly))
        throw std::runtime_error("cannot read /proc/self/stat");
    const QByteArray text = stat.readAll();
    // The fields after the name in parentheses; utime and stime are the 14th and 15th in all.
    const QList<QByteArray> fields = text.mid(text.lastIndexOf(')') + 2).split(' ');
    const double ticks = fields.at(11).toDouble() + fields.at(12).toDouble();
    return ticks / double(sysconf(_SC_CLK_TCK));
}

// Where a sound was heard in the recording.
struct Heard {
    size_t first, end;
    double seconds() const { return double(end - first) / kRecordingRate; }
    double dropoutMs(const RecordingTail& tail) const {
        return 1000.0 * double(dropoutFrames(tail.left(), first, end)) / kRecordingRate;
    }
};

// Once the sound that began after frame `from` has ended, where it was heard.
Heard heardFrom(RecordingTail& tail, size_t from, const std::string& what) {
    settle(tail, std::chrono::milliseconds(500));
    const std::optional<size_t> first = firstSound(tail.left(), from);
    if (!first)
        throw std::runtime_error(what + " was not heard");
    return {*first, lastSound(tail.left()) + 1};
}

int run(const QString& recording, int seconds) {
    QTemporaryDir dir;
    const QString tone = dir.path() + QStringLiteral("/second.wav");
    writeBigWav(tone, kToneRate * 4, kToneRate);
    SystemAudioOutput output;
    MediaPlayer player(output);
    RecordingTail tail(recording);
    waitUntilRecording(tail);
    settle(tail);
    const size_t from = tail.left().size();

    player.setFileName(tone);
    player.open();
    player.setLooping(true);
    const double cpuBefore = processorSeconds();
    const Clock::time_point start = Clock::now();
    player.play();
    int passes = 0;
    while (Clock::now() - start < std::chrono::seconds(seconds)) {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        passes += player.nextPass() ? 1 : 0;
        tail.readNew(); // keeps the reading up with the recorder instead of all at the end
        if (player.mode() != MediaPlayer::Mode::Playing)
            throw std::runtime_error("the looping play ended by itself");
    }
    const double wall = std::chrono::duration<double>(Clock::now() - start).count();
    const double cpu = processorSeconds() - cpuBefore;
    player.close();
    const Heard loop = heardFrom(tail, from, "the loop");
    std::printf("looping a 1 s tone for %d s: %d passes, heard for %.1f s, %.1f ms of dropout, "
                "processor %.2f s = %.2f %% of one core\n",
                seconds, passes, loop.seconds(), loop.dropoutMs(tail), cpu, 100.0 * cpu / wall);
    // Where each gap fell: one at the same place after every seam would be the loop's own.
    for (const Gap& gap : dropouts(tail.left(), loop.first, loop.end)) {
        const double at = double(gap.first - loop.first) / kRecordingRate;
        std::printf("  gap of %.2f ms at %.3f s, %.3f s after the seam before it\n",
                    1000.0 * double(gap.frames) / kRecordingRate, at, std::fmod(at, 1.0));
    }
    std::fflush(stdout);

    const QString longTone = dir.path() + QStringLiteral("/long.wav");
    writeBigWav(longTone, int64_t(kToneRate) * 4 * seconds, kToneRate, 440.0, seconds);
    const size_t paplayFrom = tail.left().size();
    std::thread paplay([&] { playWithPaplay(longTone, seconds); });
    while (tail.left().size() < paplayFrom + size_t(kRecordingRate) * size_t(seconds)) {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        tail.readNew();
    }
    paplay.join();
    const Heard heard = heardFrom(tail, paplayFrom, "paplay's tone");
    std::printf("paplay, one %d s tone: heard for %.1f s, %.1f ms of dropout\n", seconds,
                heard.seconds(), heard.dropoutMs(tail));
    return 0;
}

} // namespace

int main(int argc, char* argv[]) {
    return runTool(argc, argv, 1, 2, "e2e_loop RECORDING [SECONDS]", [](const QStringList& a) {
        return run(a[0], a.size() == 2 ? a[1].toInt() : 600);
    });
}
