#pragma once

#include <cstdint>

// Where an output takes its sound from: interleaved 32-bit float frames at the source's own rate
// and channel count. The output reads it on a thread of its own, never in its audio callback.
class AudioSource {
public:
    virtual ~AudioSource() = default;
    virtual int sampleRate() const = 0;
    virtual int channels() const = 0;
    // Reads up to `frames` frames into `samples`; fewer at the end, 0 once there are no more.
    virtual int64_t read(float* samples, int64_t frames) = 0;
};
