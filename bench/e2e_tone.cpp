// Plays a half-second 440 Hz tone through the real device code and the program's own output (the
// sound server's when one answers, else SDL's),
// while another process records what the server mixed into a file (float32, stereo, 48 kHz).
// Watches that recording grow and says whether the tone arrived, how long after the play call,
// how long it lasted, at what pitch and whether it broke up; then does it again once the sound
// server was restarted.
// bench/e2e_sound.sh sets up the server and the recorder, and restarts them when asked.
#include "bench/bigwav.h"
#include "bench/recording.h"
#include "playback/mediaplayer.h"
#include "playback/systemaudiooutput.h"

#include <QTemporaryDir>

#include <cstdio>
#include <iostream>
#include <optional>
#include <string>
#include <thread>

namespace {

constexpr int kToneRate = 48000;
constexpr int kToneBytes = kToneRate * 4 / 2; // half a second of 16-bit stereo

// Plays the tone once and reports what the recorder heard; false when it heard nothing.
bool playAndListen(MediaPlayer& player, RecordingTail& tail) {
    player.open();
    waitUntilRecording(tail);
    const size_t playedAt = tail.left().size();

    const Clock::time_point click = Clock::now();
    player.play();
    const std::optional<TimeToSound> heard =
        timeUntilSound(tail, playedAt, click, std::chrono::milliseconds(1500));
    std::this_thread::sleep_for(std::chrono::milliseconds(1500) - (Clock::now() - click));
    tail.readNew();
    player.close();

    if (!heard) {
        std::printf("tone heard: no (%zu frames recorded after the play call)\n",
                    tail.left().size() - playedAt);
        return false;
    }
    const size_t start = heard->frame, end = lastSound(tail.left()) + 1;
    std::printf("tone heard: yes\n");
    std::printf("first non-silent sample reached the recorder %.1f ms after the play call; the "
                "server passed it %.1f ms after\n",
                heard->seenMs, heard->passedMs);
    std::printf("heard for %.0f ms (played 500 ms), pitch %.0f Hz (played 440 Hz), %zu frames of "
                "dropout\n",
                1000.0 * double(end - start) / kRecordingRate, pitchHz(tail.left(), start, end),
                dropoutFrames(tail.left(), start, end));
    return true;
}

// Plays the tone, asks on standard output for the sound server to be restarted, waits for a line
// on standard input, and plays it again through the same output, which must find the new server.
int run(const QString& recording) {
    QTemporaryDir dir;
    const QString tone = dir.path() + QStringLiteral("/tone.wav");
    writeBigWav(tone, kToneBytes, kToneRate);

    SystemAudioOutput output;
    output.open(); // the output a person's first click finds already open
    MediaPlayer player(output);
    player.setFileName(tone);
    RecordingTail tail(recording);
    if (!playAndListen(player, tail))
        return 1;

    std::printf("restart the sound server\n");
    std::fflush(stdout);
    std::string answer;
    if (!std::getline(std::cin, answer))
        throw std::runtime_error("no word that the sound server restarted");
    std::printf("after the sound server restarted: ");
    return playAndListen(player, tail) ? 0 : 1;
}

} // namespace

int main(int argc, char* argv[]) {
    return runTool(argc, argv, 1, 1, "e2e_tone RECORDING",
                   [](const QStringList& a) { return run(a[0]); });
}
