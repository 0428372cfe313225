#pragma once

#include <atomic>
#include <cstdint>
#include <thread>
#include <vector>

class AudioSource;
class SampleRing;
struct _SDL_AudioStream;

// The reading side of the SDL output: a thread that reads the source, converts its frames to the
// device's rate and channels and fills the ring the audio callback takes from. Lives from a start
// of the output to its flush.
class SdlFeeder {
public:
    // The first chunk is converted before this returns, so the device has sound to take at once.
    SdlFeeder(AudioSource& source, SampleRing& ring, int deviceRate, int deviceChannels);
    ~SdlFeeder();
    SdlFeeder(const SdlFeeder&) = delete;
    SdlFeeder& operator=(const SdlFeeder&) = delete;

    // All of the source has gone into the ring, `framesQueued()` device frames in all.
    bool allQueued() const { return m_allQueued.load(std::memory_order_acquire); }
    uint64_t framesQueued() const { return m_framesQueued.load(std::memory_order_acquire); }

private:
    bool step(); // one unit of work; false when there was nothing to do
    void readChunk();
    size_t pumpIntoRing();
    void run();

    AudioSource& m_source;
    SampleRing& m_ring;
    int m_sourceRate;
    int m_sourceChannels;
    int m_deviceRate;
    int m_deviceChannels;
    _SDL_AudioStream* m_stream = nullptr;
    std::vector<float> m_sourceChunk;
    std::vector<float> m_deviceChunk;
    std::thread m_thread;
    std::atomic<bool> m_stopRequested{false};
    std::atomic<bool> m_allQueued{false};
    std::atomic<uint64_t> m_framesQueued{0};
    bool m_endOfSource = false;
};
