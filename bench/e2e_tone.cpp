// Plays a half-second 440 Hz tone through the real device code and the sound server SDL picks,
// while another process records what the server mixed into a file (float32, stereo, 48 kHz).
// Watches that recording grow and says whether the tone arrived, how long after the play call,
// how long it lasted and at what pitch; then does it again once the sound server was restarted.
// bench/e2e_sound.sh sets up the server and the recorder, and restarts them when asked.
#include "bench/bigwav.h"
#include "playback/mediaplayer.h"
#include "playback/sdlaudiooutput.h"

#include <QFile>
#include <QTemporaryDir>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kRecordingRate = 48000;
constexpr int kRecordingChannels = 2;
constexpr float kSilenceThreshold = 0.01f;
constexpr int kToneRate = 48000;
constexpr int kToneBytes = kToneRate * 4 / 2; // half a second of 16-bit stereo

// The left channel of what the recorder has written since it was opened here.
class RecordingTail {
public:
    explicit RecordingTail(const QString& path) : m_file(path) {
        if (!m_file.open(QIODevice::ReadOnly))
            throw std::runtime_error("cannot read the recording " + path.toStdString());
        m_file.seek(m_file.size());
    }

    // Appends what arrived since the last call; returns how many new frames there were.
    qsizetype readNew() {
        m_pending += m_file.readAll();
        const qsizetype frameBytes = qsizetype(sizeof(float)) * kRecordingChannels;
        const qsizetype frames = m_pending.size() / frameBytes;
        for (qsizetype i = 0; i < frames; ++i) {
            float left = 0;
            std::memcpy(&left, m_pending.constData() + i * frameBytes, sizeof left);
            m_left.push_back(left);
        }
        m_pending.remove(0, frames * frameBytes);
        return frames;
    }
    const std::vector<float>& left() const { return m_left; }

private:
    QFile m_file;
    QByteArray m_pending;
    std::vector<float> m_left;
};

std::optional<size_t> firstSound(const std::vector<float>& samples, size_t from) {
    for (size_t i = from; i < samples.size(); ++i)
        if (std::fabs(samples[i]) > kSilenceThreshold)
            return i;
    return std::nullopt;
}

size_t lastSound(const std::vector<float>& samples) {
    size_t last = 0;
    for (size_t i = 0; i < samples.size(); ++i)
        if (std::fabs(samples[i]) > kSilenceThreshold)
            last = i;
    return last;
}

// Rising zero crossings per second over [from, to).
double pitchHz(const std::vector<float>& samples, size_t from, size_t to) {
    int rising = 0;
    for (size_t i = from + 1; i < to; ++i)
        if (samples[i - 1] < 0 && samples[i] >= 0)
            ++rising;
    return to > from ? rising * double(kRecordingRate) / double(to - from) : 0.0;
}

// The recorder takes a while to connect; the play call is timed against a recording that flows.
void waitUntilRecording(RecordingTail& tail) {
    const Clock::time_point start = Clock::now();
    while (tail.readNew() == 0) {
        if (Clock::now() - start > std::chrono::seconds(10))
            throw std::runtime_error("the recorder wrote nothing for 10 s");
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    tail.readNew();
}

// Plays the tone once and reports what the recorder heard; false when it heard nothing.
bool playAndListen(MediaPlayer& player, RecordingTail& tail) {
    player.open();
    waitUntilRecording(tail);
    const size_t playedAt = tail.left().size();

    std::optional<Clock::duration> heardAfter;
    const Clock::time_point click = Clock::now();
    player.play();
    while (Clock::now() - click < std::chrono::milliseconds(1500)) {
        const size_t before = tail.left().size();
        if (tail.readNew() > 0 && !heardAfter && firstSound(tail.left(), before))
            heardAfter = Clock::now() - click;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    player.close();

    const std::optional<size_t> start = firstSound(tail.left(), playedAt);
    if (!start || !heardAfter) {
        std::printf("tone heard: no (%zu frames recorded after the play call)\n",
                    tail.left().size() - playedAt);
        return false;
    }
    const size_t end = lastSound(tail.left()) + 1;
    std::printf("tone heard: yes\n");
    std::printf("first non-silent sample reached the recorder %.1f ms after the play call "
                "(%.1f ms into the recorded stream)\n",
                std::chrono::duration<double, std::milli>(*heardAfter).count(),
                1000.0 * double(*start - playedAt) / kRecordingRate);
    std::printf("heard for %.0f ms (played 500 ms), pitch %.0f Hz (played 440 Hz)\n",
                1000.0 * double(end - *start) / kRecordingRate, pitchHz(tail.left(), *start, end));
    return true;
}

// Plays the tone, asks on standard output for the sound server to be restarted, waits for a line
// on standard input, and plays it again through the same output, which must find the new server.
int run(const QString& recording) {
    QTemporaryDir dir;
    const QString tone = dir.path() + QStringLiteral("/tone.wav");
    writeBigWav(tone, kToneBytes, kToneRate);

    SdlAudioOutput output;
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
    if (argc != 2) {
        std::fprintf(stderr, "usage: e2e_tone RECORDING\n");
        return 2;
    }
    try {
        return run(QString::fromLocal8Bit(argv[1]));
    } catch (const std::exception& error) {
        std::fprintf(stderr, "e2e_tone: %s\n", error.what());
        return 1;
    }
}
