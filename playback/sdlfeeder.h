#pragma once

#include <atomic>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <mutex>
#include <thread>
#include <vector>

class AudioSource;
class SampleRing;
struct _SDL_AudioStream;

// How far a feeder has got, kept by the output so that its audio callback can read it safely
// while feeders come and go.
struct FeedProgress {
    std::atomic<bool> allQueued{false};
    std::atomic<uint64_t> framesQueued{0};
};

// The reading side of the SDL output: a thread that reads the source, converts its frames to the
// device's rate and channels and fills the ring the audio callback takes from. Lives from a start
// of the output to its flush. A looping source is read without a break, so the converter's state
// runs on across the seam.
class SdlFeeder {
public:
    // The ring an output gives it: a quarter of a second of stereo at 96 kHz, at most.
    static constexpr size_t kRingSamples = 48000;
    // What a start queues on the calling thread before the reading thread takes over: enough to
    // ride out a busy machine that is slow to schedule that thread (a start with 43 ms queued was
    // heard to break up under a heavy build). Converting it costs about 0.25 ms for a 44.1 kHz
    // file and 3 ms for a 96 kHz one; the device takes from it from the first chunk on.
    static constexpr int kPrimeMilliseconds = 150;

    // The first chunk is converted before this returns.
    SdlFeeder(AudioSource& source, SampleRing& ring, FeedProgress& progress, int deviceRate,
              int deviceChannels);
    ~SdlFeeder();
    SdlFeeder(const SdlFeeder&) = delete;
    SdlFeeder& operator=(const SdlFeeder&) = delete;

    // Queues up to `frames` device frames on the calling thread (fewer when the ring fills), so
    // that the device finds sound queued however late a busy machine runs the reading thread,
    // then starts that thread.
    void primeThenRun(uint64_t frames);

private:
    bool step(); // one unit of work; false when there was nothing to do
    void readChunk();
    size_t pumpIntoRing();
    void run();

    AudioSource& m_source;
    SampleRing& m_ring;
    FeedProgress& m_progress;
    int m_sourceRate;
    int m_sourceChannels;
    int m_deviceRate;
    int m_deviceChannels;
    int64_t m_chunkFrames; // source frames read and converted at a time
    _SDL_AudioStream* m_stream = nullptr;
    std::vector<float> m_sourceChunk;
    std::vector<float> m_deviceChunk;
    std::thread m_thread;
    std::mutex m_mutex;
    std::condition_variable m_wake; // lets a flush end the thread's wait at once
    bool m_stopRequested = false;
    bool m_endOfSource = false;
};
