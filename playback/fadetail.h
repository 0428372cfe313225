#pragma once

#include "playback/samplering.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <numbers>
#include <vector>

// The last few milliseconds of a sound that was cut off, faded to silence with a raised cosine,
// to be mixed into what the device plays next. The frames come from the ring, so the fade goes on
// from the very frame the device would have played and the waveform never jumps.
class FadeTail {
public:
    // How long the fade of a cut-off sound lasts.
    static constexpr int kMilliseconds = 3;

    void setFormat(size_t frames, size_t channels) {
        m_frames = frames;
        m_channels = channels;
        m_samples.assign(frames * channels, 0.0f);
        m_next.assign(frames * channels, 0.0f);
        m_length = m_position = 0;
    }
    size_t frames() const { return m_frames; }

    // Takes the next frames of `ring` and fades them out, on top of what is left of an earlier
    // fade; returns the frames taken. Never while the device reads the ring.
    size_t cut(SampleRing& ring) {
        const size_t got = ring.read(m_next.data(), std::min(ring.available(), m_next.size()));
        return cut(m_next.data(), got);
    }

    // The same for the `count` samples that would have played next; takes at most a fade's worth
    // and returns the frames taken.
    size_t cut(const float* next, size_t count) {
        std::copy(m_samples.begin() + static_cast<std::ptrdiff_t>(m_position),
                  m_samples.begin() + static_cast<std::ptrdiff_t>(m_length), m_samples.begin());
        std::fill(m_samples.begin() + static_cast<std::ptrdiff_t>(m_length - m_position),
                  m_samples.end(), 0.0f);
        const size_t left = m_length - m_position;
        m_position = 0;
        const size_t frames = std::min(count, m_samples.size()) / m_channels;
        for (size_t f = 0; f < frames; ++f) {
            const double phase =
                std::numbers::pi * static_cast<double>(f + 1) / static_cast<double>(m_frames);
            const auto gain = static_cast<float>(0.5 * (1.0 + std::cos(phase)));
            for (size_t c = 0; c < m_channels; ++c)
                m_samples[f * m_channels + c] += gain * next[f * m_channels + c];
        }
        m_length = std::max(left, frames * m_channels);
        return frames;
    }

    // Samples of the fade not yet mixed: a sound that starts now begins after them, so that the
    // old sound never sounds over the new one.
    size_t remaining() const { return m_length - m_position; }
    // Goes to `samples` into the fade, for an output that writes a stretch of its sound anew.
    void seek(size_t samples) { m_position = std::min(samples, m_length); }

    // Adds the rest of the fade to `samples`; called by the audio callback.
    void mixInto(float* samples, size_t count) {
        const size_t n = std::min(count, m_length - m_position);
        for (size_t i = 0; i < n; ++i)
            samples[i] += m_samples[m_position + i];
        m_position += n;
    }

private:
    std::vector<float> m_samples;
    std::vector<float> m_next;
    size_t m_frames = 0;
    size_t m_channels = 1;
    size_t m_length = 0;   // samples of fade held
    size_t m_position = 0; // samples of it already mixed
};
