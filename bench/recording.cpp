#include "bench/recording.h"

#include <QFileInfo>
#include <QProcess>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <stdexcept>
#include <thread>

namespace {

constexpr int kRecordingChannels = 2;
constexpr float kSilenceThreshold = 0.01f;
// Arrivals older than this are left out of the clock: the recorder's clock and the steady clock
// drift apart by parts per million, which over seconds stays far below a frame.
constexpr auto kClockWindow = std::chrono::seconds(3);

double msBetween(Clock::time_point from, Clock::time_point to) {
    return std::chrono::duration<double, std::milli>(to - from).count();
}

} // namespace

RecordingTail::RecordingTail(const QString& path) : m_file(path) {
    if (!m_file.open(QIODevice::ReadOnly))
        throw std::runtime_error("cannot read the recording " + path.toStdString());
    m_file.seek(m_file.size());
}

qsizetype RecordingTail::readNew() {
    m_pending += m_file.readAll();
    const Clock::time_point now = Clock::now();
    const qsizetype frameBytes = qsizetype(sizeof(float)) * kRecordingChannels;
    const qsizetype frames = m_pending.size() / frameBytes;
    for (qsizetype i = 0; i < frames; ++i) {
        float left = 0;
        std::memcpy(&left, m_pending.constData() + i * frameBytes, sizeof left);
        m_left.push_back(left);
    }
    m_pending.remove(0, frames * frameBytes);
    if (frames > 0)
        m_arrivals.push_back({now, m_left.size()});
    return frames;
}

Clock::time_point RecordingTail::passedAt(size_t frame) const {
    if (m_arrivals.empty())
        throw std::logic_error("nothing recorded yet");
    const Clock::time_point newest = m_arrivals.back().at;
    const auto frameTime = [](ptrdiff_t frames) {
        return std::chrono::duration_cast<Clock::duration>(
            std::chrono::duration<double>(double(frames) / kRecordingRate));
    };
    Clock::time_point best = Clock::time_point::max();
    for (auto it = m_arrivals.rbegin(); it != m_arrivals.rend() && newest - it->at < kClockWindow;
         ++it)
        best = std::min(best, it->at - frameTime(ptrdiff_t(it->frames) - ptrdiff_t(frame)));
    return best;
}

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

// The tone passes the silence threshold within one sample at each crossing, so a run of two or
// more quiet samples is a dropout, silence the server played because the stream was late.
// A single quiet sample is a zero crossing of the tone; two or more in a row are a gap.
std::vector<Gap> dropouts(const std::vector<float>& samples, size_t from, size_t to) {
    std::vector<Gap> gaps;
    size_t run = 0;
    const size_t end = std::min(to, samples.size());
    for (size_t i = from; i <= end; ++i) {
        if (i < end && std::fabs(samples[i]) <= kSilenceThreshold) {
            ++run;
            continue;
        }
        if (run >= 2)
            gaps.push_back({i - run, run});
        run = 0;
    }
    return gaps;
}

size_t dropoutFrames(const std::vector<float>& samples, size_t from, size_t to) {
    size_t dropped = 0;
    for (const Gap& gap : dropouts(samples, from, to))
        dropped += gap.frames;
    return dropped;
}

double pitchHz(const std::vector<float>& samples, size_t from, size_t to) {
    int rising = 0;
    for (size_t i = from + 1; i < to; ++i)
        if (samples[i - 1] < 0 && samples[i] >= 0)
            ++rising;
    return to > from ? rising * double(kRecordingRate) / double(to - from) : 0.0;
}

void waitUntilRecording(RecordingTail& tail) {
    tail.restartClock();
    const Clock::time_point start = Clock::now();
    while (tail.readNew() == 0) {
        if (Clock::now() - start > std::chrono::seconds(10))
            throw std::runtime_error("the recorder wrote nothing for 10 s");
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    settle(tail, std::chrono::milliseconds(200));
}

void settle(RecordingTail& tail, std::chrono::milliseconds quiet) {
    std::this_thread::sleep_for(quiet);
    tail.readNew();
}

std::optional<TimeToSound> timeUntilSound(RecordingTail& tail, size_t from,
                                          Clock::time_point action,
                                          std::chrono::milliseconds timeout) {
    size_t checked = from;
    while (Clock::now() - action < timeout) {
        tail.readNew();
        if (const std::optional<size_t> start = firstSound(tail.left(), checked))
            return TimeToSound{msBetween(action, Clock::now()),
                               msBetween(action, tail.passedAt(*start)), *start};
        checked = tail.left().size();
        std::this_thread::sleep_for(std::chrono::microseconds(200));
    }
    return std::nullopt;
}

std::optional<Spread> spread(std::vector<double> ms) {
    if (ms.empty())
        return std::nullopt;
    std::sort(ms.begin(), ms.end());
    // The nearest rank: the least time that at least 95 % of the trials did not exceed.
    const size_t rank95 = (ms.size() * 95 + 99) / 100;
    return Spread{ms[ms.size() / 2], ms[rank95 - 1], ms.front(), ms.back()};
}

void printSpread(const char* what, const std::vector<double>& ms, int trials) {
    if (const std::optional<Spread> s = spread(ms))
        std::printf("%s: %zu of %d trials heard, median %.1f ms, p95 %.1f ms, min %.1f ms, "
                    "max %.1f ms\n",
                    what, ms.size(), trials, s->median, s->p95, s->min, s->max);
    else
        std::printf("%s: nothing heard in %d trials\n", what, trials);
}

void playWithPaplay(const QString& file, int seconds) {
    QProcess paplay;
    paplay.start(QStringLiteral("paplay"), {file});
    if (!paplay.waitForFinished((seconds + 10) * 1000))
        throw std::runtime_error("paplay did not end");
}

int runTool(int argc, char* argv[], int least, int most, const char* usage,
            const std::function<int(const QStringList& arguments)>& run) {
    if (argc - 1 < least || argc - 1 > most) {
        std::fprintf(stderr, "usage: %s\n", usage);
        return 2;
    }
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    try {
        return run(arguments);
    } catch (const std::exception& error) {
        std::fprintf(
            stderr, "%s: %s\n",
            QFileInfo(QString::fromLocal8Bit(argv[0])).fileName().toLocal8Bit().constData(),
            error.what());
        return 1;
    }
}
