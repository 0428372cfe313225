#pragma once

// Reads what a recorder process appends to a file of float32 stereo 48 kHz frames (the sound
// server's mix), finds sound in it and times it, for the end-to-end sound checks.
#include <QByteArray>
#include <QFile>
#include <QString>
#include <QStringList>

#include <chrono>
#include <functional>
#include <optional>
#include <vector>

using Clock = std::chrono::steady_clock;

constexpr int kRecordingRate = 48000;

// The left channel of what the recorder has written since it was opened here, with the time at
// which each piece arrived.
class RecordingTail {
public:
    explicit RecordingTail(const QString& path);

    // Appends what arrived since the last call; returns how many new frames there were.
    qsizetype readNew();
    // Forgets when earlier frames arrived: a restarted recorder starts a new clock.
    void restartClock() { m_arrivals.clear(); }
    const std::vector<float>& left() const { return m_left; }

    // When `frame` passed through the server, on the steady clock. The recorder hands frames over
    // in pieces of several milliseconds, so the time a piece is seen here is late by up to a
    // piece for all but its last frame. The frames flow at the recording rate, though: the piece
    // that arrived least late over the last seconds fixes when the server passed each frame.
    Clock::time_point passedAt(size_t frame) const;

private:
    struct Arrival {
        Clock::time_point at;
        size_t frames; // all frames recorded up to then
    };
    QFile m_file;
    QByteArray m_pending;
    std::vector<float> m_left;
    std::vector<Arrival> m_arrivals;
};

std::optional<size_t> firstSound(const std::vector<float>& samples, size_t from);
size_t lastSound(const std::vector<float>& samples);
// A run of silence inside a tone: its first frame and its length in frames.
struct Gap {
    size_t first, frames;
};
// The runs of silence inside a 440 Hz tone at 0.37 of full scale within [from, to).
std::vector<Gap> dropouts(const std::vector<float>& samples, size_t from, size_t to);
// Frames of silence inside such a tone within [from, to).
size_t dropoutFrames(const std::vector<float>& samples, size_t from, size_t to);
// Rising zero crossings per second over [from, to).
double pitchHz(const std::vector<float>& samples, size_t from, size_t to);

// Waits until the recorder delivers, then a little longer so that timing starts on a steady flow;
// the recorder's clock is taken afresh, as it may have been restarted.
void waitUntilRecording(RecordingTail& tail);
// Lets what is playing end and the recording fall silent again.
void settle(RecordingTail& tail, std::chrono::milliseconds quiet = std::chrono::milliseconds(300));

// How soon after `action` a sound arrived past frame `from`, waiting up to `timeout`.
struct TimeToSound {
    double seenMs;   // until it was read from the recording
    double passedMs; // until the server passed its first frame (see RecordingTail::passedAt)
    size_t frame;    // where it starts in the recording
};
std::optional<TimeToSound> timeUntilSound(RecordingTail& tail, size_t from,
                                          Clock::time_point action,
                                          std::chrono::milliseconds timeout);

// Median, 95th percentile, least and greatest of a set of times.
struct Spread {
    double median, p95, min, max;
};
std::optional<Spread> spread(std::vector<double> ms);
void printSpread(const char* what, const std::vector<double>& ms, int trials);

// Plays `file`, `seconds` long, with `paplay` and returns when it has ended.
void playWithPaplay(const QString& file, int seconds);

// The end-to-end tools' main: with `least` to `most` arguments after the tool's name it runs
// `run` on them, otherwise prints `usage`; what `run` throws is printed under the tool's name.
int runTool(int argc, char* argv[], int least, int most, const char* usage,
            const std::function<int(const QStringList& arguments)>& run);
