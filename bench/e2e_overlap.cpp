// Starts a looping play fifty times while another file plays through the program's own output,
// as a person does who switches to a loop mid-sound, while another process records the server's
// mix. The playing file is a 440 Hz tone and the loop a 660 Hz one of the same level: where
// the old sound still sounds beside the new at the switch, the two add up and the recording's
// peak there rises clearly above the level of either. Prints how many of the tries showed it.
// bench/e2e_sound.sh sets up the server and the recorder.
#include "bench/bigwav.h"
#include "bench/recording.h"
#include "playback/mediaplayer.h"
#include "playback/systemaudiooutput.h"

#include <QTemporaryDir>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <random>
#include <stdexcept>
#include <thread>

namespace {

constexpr int kTries = 50;
constexpr int kToneRate = 48000;
constexpr double kOverlapFactor = 1.25; // the two tones' sum passes this within 5 ms

using std::chrono::milliseconds;

float peak(const std::vector<float>& samples, size_t from, size_t to) {
    float most = 0;
    for (size_t i = from; i < std::min(to, samples.size()); ++i)
        most = std::max(most, std::fabs(samples[i]));
    return most;
}

// One try; whether the recording's peak around the switch rose above either tone's level.
bool overlapped(MediaPlayer& player, RecordingTail& tail, const QString& playing,
                const QString& loop, milliseconds playFor) {
    settle(tail);
    const size_t from = tail.left().size();
    player.setFileName(playing);
    player.open();
    player.play();
    std::this_thread::sleep_for(playFor);
    player.setFileName(loop);
    player.open();
    player.setLooping(true);
    player.play();
    std::this_thread::sleep_for(milliseconds(600));
    player.close();
    settle(tail);
    const std::optional<size_t> start = firstSound(tail.left(), from);
    if (!start)
        throw std::runtime_error("nothing was heard");
    const size_t end = lastSound(tail.left()) + 1;
    // The level of one tone, from the steady part of the first one.
    const size_t steady = *start + kRecordingRate / 20;
    const float level = peak(tail.left(), steady, steady + kRecordingRate / 20);
    return peak(tail.left(), *start, end) > kOverlapFactor * level;
}

int run(const QString& recording) {
    QTemporaryDir dir;
    const QString playing = dir.path() + QStringLiteral("/playing.wav");
    const QString loop = dir.path() + QStringLiteral("/loop.wav");
    writeBigWav(playing, kToneRate * 4 * 5, kToneRate);
    writeBigWav(loop, kToneRate * 4, kToneRate, 660.0); // one second of whole periods
    SystemAudioOutput output;
    MediaPlayer player(output);
    RecordingTail tail(recording);
    waitUntilRecording(tail);
    // The switch falls anywhere within a buffer's span, not always at the same phase of it.
    std::mt19937 random(20260101);
    std::uniform_int_distribution<int> playMs(150, 400);
    int seen = 0;
    for (int i = 0; i < kTries; ++i)
        seen += overlapped(player, tail, playing, loop, milliseconds(playMs(random))) ? 1 : 0;
    std::printf("starting a loop while another file plays: %d of %d tries overlapped at the "
                "switch\n",
                seen, kTries);
    return 0;
}

} // namespace

int main(int argc, char* argv[]) {
    return runTool(argc, argv, 1, 1, "e2e_overlap RECORDING",
                   [](const QStringList& a) { return run(a[0]); });
}
