// Counts the dropouts in three 10 s tones (44.1, 48 and 44.1 kHz) played through the program's
// own output (the sound server's when one answers) and then by `paplay`, once with the machine
// idle and once with two busy loops beside, while another process records what the server mixed
// into a file (float32, stereo, 48 kHz). Prints the milliseconds of dropout per tone and how long
// each tone lasted.
// bench/e2e_sound.sh sets up the server and the recorder.
#include "bench/bigwav.h"
#include "bench/recording.h"
#include "playback/mediaplayer.h"
#include "playback/systemaudiooutput.h"

#include <QTemporaryDir>

#include <atomic>
#include <cstdio>
#include <functional>
#include <stdexcept>
#include <thread>
#include <vector>

namespace {

constexpr int kToneSeconds = 10;

struct Heard {
    double dropoutMs;
    double lengthS;
};

// Plays one tone through `play`, which returns once it has ended, and measures what was heard.
Heard listen(RecordingTail& tail, const std::function<void()>& play) {
    settle(tail);
    const size_t from = tail.left().size();
    play();
    settle(tail, std::chrono::milliseconds(500));
    const std::optional<size_t> start = firstSound(tail.left(), from);
    if (!start)
        throw std::runtime_error("a tone was not heard");
    const size_t end = lastSound(tail.left()) + 1;
    return Heard{1000.0 * double(dropoutFrames(tail.left(), *start, end)) / kRecordingRate,
                 double(end - *start) / kRecordingRate};
}

void playThrough(MediaPlayer& player, const QString& file) {
    player.setFileName(file);
    player.open();
    player.play();
    while (player.mode() == MediaPlayer::Mode::Playing)
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    player.close();
}

// Two threads that spin while the object lives.
class BusyLoops {
public:
    BusyLoops() {
        for (auto& thread : m_threads)
            thread = std::thread([this] {
                volatile uint64_t spins = 0;
                while (!m_stop.load(std::memory_order_relaxed))
                    spins = spins + 1;
            });
    }
    ~BusyLoops() {
        m_stop = true;
        for (auto& thread : m_threads)
            thread.join();
    }
    BusyLoops(const BusyLoops&) = delete;
    BusyLoops& operator=(const BusyLoops&) = delete;

private:
    std::atomic<bool> m_stop{false};
    std::thread m_threads[2];
};

void runRound(const char* load, RecordingTail& tail, MediaPlayer& player,
              const std::vector<QString>& tones) {
    for (const char* who : {"sondrix", "paplay"}) {
        double total = 0;
        std::printf("%-7s %-5s", who, load);
        for (const QString& tone : tones) {
            const Heard heard = who[0] == 's'
                                    ? listen(tail, [&] { playThrough(player, tone); })
                                    : listen(tail, [&] { playWithPaplay(tone, kToneSeconds); });
            total += heard.dropoutMs;
            std::printf("  %6.1f ms in %.3f s", heard.dropoutMs, heard.lengthS);
        }
        std::printf("  | %.1f ms in all\n", total);
        std::fflush(stdout);
    }
}

int run(const QString& recording) {
    QTemporaryDir dir;
    std::vector<QString> tones;
    for (const int rate : {44100, 48000, 44100}) {
        tones.push_back(dir.path() + QStringLiteral("/tone%1-%2.wav").arg(tones.size()).arg(rate));
        writeBigWav(tones.back(), int64_t(rate) * 4 * kToneSeconds, rate);
    }
    SystemAudioOutput output;
    MediaPlayer player(output);
    RecordingTail tail(recording);
    waitUntilRecording(tail);
    std::printf("dropouts in three %d s tones (44.1, 48, 44.1 kHz), and how long each was heard\n",
                kToneSeconds);
    runRound("idle", tail, player, tones);
    BusyLoops busy;
    runRound("busy", tail, player, tones);
    return 0;
}

} // namespace

int main(int argc, char* argv[]) {
    return runTool(argc, argv, 1, 1, "e2e_dropouts RECORDING",
                   [](const QStringList& a) { return run(a[0]); });
}
