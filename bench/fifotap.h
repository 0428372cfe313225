#pragma once

#include <QString>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <optional>
#include <thread>

// A named pipe for SDL's disk driver to write into, read as it is written, so that the moment
// the output hands on its first sound can be told to within a buffer write.
class FifoTap {
public:
    using Clock = std::chrono::steady_clock;

    explicit FifoTap(const QString& path);
    ~FifoTap();
    FifoTap(const FifoTap&) = delete;
    FifoTap& operator=(const FifoTap&) = delete;

    const QString& path() const { return m_path; }
    // Forgets the sound heard so far; the next non-silent write counts.
    void arm();
    std::optional<Clock::time_point> waitForSound(std::chrono::milliseconds timeout);

private:
    void read();

    QString m_path;
    std::thread m_reader;
    std::atomic<bool> m_stop{false};
    std::mutex m_mutex;
    std::condition_variable m_heard;
    std::optional<Clock::time_point> m_firstSound;
};
