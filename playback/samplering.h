#pragma once

#include <algorithm>
#include <atomic>
#include <cstddef>
#include <vector>

// A bounded single-producer single-consumer queue of samples: the decoder thread writes, the
// audio callback reads, and neither waits for the other.
class SampleRing {
public:
    explicit SampleRing(size_t capacity) : m_buffer(capacity) {}

    size_t freeSpace() const {
        return m_buffer.size() -
               (m_head.load(std::memory_order_acquire) - m_tail.load(std::memory_order_acquire));
    }
    size_t available() const {
        return m_head.load(std::memory_order_acquire) - m_tail.load(std::memory_order_acquire);
    }

    size_t write(const float* samples, size_t count) {
        const size_t head = m_head.load(std::memory_order_relaxed);
        const size_t n = std::min(count, freeSpace());
        for (size_t i = 0; i < n; ++i)
            m_buffer[(head + i) % m_buffer.size()] = samples[i];
        m_head.store(head + n, std::memory_order_release);
        return n;
    }

    size_t read(float* samples, size_t count) {
        const size_t tail = m_tail.load(std::memory_order_relaxed);
        const size_t n = std::min(count, available());
        for (size_t i = 0; i < n; ++i)
            samples[i] = m_buffer[(tail + i) % m_buffer.size()];
        m_tail.store(tail + n, std::memory_order_release);
        return n;
    }

    // Only while neither side runs.
    void reset() {
        m_head.store(0, std::memory_order_relaxed);
        m_tail.store(0, std::memory_order_relaxed);
    }

private:
    std::vector<float> m_buffer;
    std::atomic<size_t> m_head{0};
    std::atomic<size_t> m_tail{0};
};
