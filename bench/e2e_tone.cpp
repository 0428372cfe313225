// Plays a half-second 440 Hz tone through the real device code and the sound server SDL picks,
// while another process records what the server mixed into a file (float32, stereo, 48 kHz).
// Watches that recording grow and says whether the tone arrived, how long after the play call,
// how long it lasted, at what pitch and whether it broke up; then does it again once the sound
// server was restarted.
// Last it compares the time to sound over repeated plays with that of spawning paplay.
// bench/e2e_sound.sh sets up the server and the recorder, and restarts them when asked.
#include "bench/bigwav.h"
#include "playback/mediaplayer.h"
#include "playback/sdlaudiooutput.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
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
constexpr int kTrials = 31;

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

// Frames in runs of two or more quiet samples within [from, to): the tone, a 440 Hz sine at 0.37
// of full scale, passes the silence threshold within one sample at each crossing, so such a run
// is a dropout, silence the server played because the stream was late.
size_t dropoutFrames(const std::vector<float>& samples, size_t from, size_t to) {
    size_t dropped = 0, run = 0;
    for (size_t i = from; i < std::min(to, samples.size()); ++i) {
        run = std::fabs(samples[i]) > kSilenceThreshold ? 0 : run + 1;
        dropped += run == 2 ? 2 : run > 2 ? 1 : 0;
    }
    return dropped;
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

// Reads the recording until a sound arrives after frame `from`, for up to `timeout`; returns the
// time from `click` until it was seen.
std::optional<double> msUntilSound(RecordingTail& tail, size_t from, Clock::time_point click,
                                   std::chrono::milliseconds timeout) {
    size_t checked = from;
    while (Clock::now() - click < timeout) {
        tail.readNew();
        if (firstSound(tail.left(), checked))
            return std::chrono::duration<double, std::milli>(Clock::now() - click).count();
        checked = tail.left().size();
        std::this_thread::sleep_for(std::chrono::microseconds(200));
    }
    return std::nullopt;
}

// Lets what is playing end and the recording fall silent again.
void settle(RecordingTail& tail) {
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    tail.readNew();
}

// Plays the tone once and reports what the recorder heard; false when it heard nothing.
bool playAndListen(MediaPlayer& player, RecordingTail& tail) {
    player.open();
    waitUntilRecording(tail);
    const size_t playedAt = tail.left().size();

    const Clock::time_point click = Clock::now();
    player.play();
    const std::optional<double> heardAfter =
        msUntilSound(tail, playedAt, click, std::chrono::milliseconds(1500));
    std::this_thread::sleep_for(std::chrono::milliseconds(1500) - (Clock::now() - click));
    tail.readNew();
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
                *heardAfter, 1000.0 * double(*start - playedAt) / kRecordingRate);
    std::printf("heard for %.0f ms (played 500 ms), pitch %.0f Hz (played 440 Hz), %zu frames of "
                "dropout\n",
                1000.0 * double(end - *start) / kRecordingRate, pitchHz(tail.left(), *start, end),
                dropoutFrames(tail.left(), *start, end));
    return true;
}

struct Spread {
    double median, min, max;
};

std::optional<Spread> spread(std::vector<double> ms) {
    if (ms.empty())
        return std::nullopt;
    std::sort(ms.begin(), ms.end());
    return Spread{ms[ms.size() / 2], ms.front(), ms.back()};
}

void printSpread(const char* what, const std::vector<double>& ms) {
    const std::optional<Spread> s = spread(ms);
    if (s)
        std::printf("%s: %zu of %d trials heard, median %.1f ms, min %.1f ms, max %.1f ms\n", what,
                    ms.size(), kTrials, s->median, s->min, s->max);
    else
        std::printf("%s: nothing heard in %d trials\n", what, kTrials);
}

// Time to sound of the same file, played through Sondrix's open output (the play call, the file
// already loaded, as after a click) and by spawning paplay, which a file manager would do.
void compareWithPaplay(SdlAudioOutput& output, MediaPlayer& player, RecordingTail& tail,
                       const QString& file) {
    std::vector<double> ours, paplay;
    const uint64_t underrunsBefore = output.underrunFrames();
    size_t dropouts = 0;
    for (int trial = 0; trial < kTrials; ++trial) {
        player.open();
        settle(tail);
        const size_t clickedAt = tail.left().size();
        const Clock::time_point click = Clock::now();
        player.play();
        if (const auto ms = msUntilSound(tail, clickedAt, click, std::chrono::milliseconds(1000)))
            ours.push_back(*ms);
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        player.close();
        tail.readNew();
        // The first 80 ms of the tone, well before the close fades it.
        if (const std::optional<size_t> start = firstSound(tail.left(), clickedAt))
            dropouts += dropoutFrames(tail.left(), *start, *start + kRecordingRate * 80 / 1000);
    }
    const uint64_t underruns = output.underrunFrames() - underrunsBefore;
    const int bufferFrames = output.bufferFrames(), rate = output.sampleRate();
    // A person who falls back on paplay has no Sondrix running: an open stream would hold the
    // server at a shorter latency, which paplay would then enjoy too.
    output.close();
    for (int trial = 0; trial < kTrials; ++trial) {
        settle(tail);
        QProcess process;
        const Clock::time_point spawn = Clock::now();
        process.start(QStringLiteral("paplay"), {file});
        if (const auto ms =
                msUntilSound(tail, tail.left().size(), spawn, std::chrono::milliseconds(2000)))
            paplay.push_back(*ms);
        process.waitForFinished(5000);
    }
    settle(tail);
    printSpread("Sondrix, play call to sound", ours);
    printSpread("paplay FILE, spawn to sound", paplay);
    std::printf("Sondrix output buffer %d frames at %d Hz (%.1f ms); %llu frames of underrun in "
                "its trials, %zu frames of dropout in what the server played of them\n",
                bufferFrames, rate, 1000.0 * bufferFrames / rate,
                static_cast<unsigned long long>(underruns), dropouts);
    const auto a = spread(ours), b = spread(paplay);
    if (a && b)
        std::printf("ratio of the medians, Sondrix to paplay: %.2f (target <= 0.5)\n",
                    a->median / b->median);
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
    if (!playAndListen(player, tail))
        return 1;
    compareWithPaplay(output, player, tail, tone);
    return 0;
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
