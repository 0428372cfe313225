#pragma once

#include "playback/audiooutput.h"
#include "playback/fadetail.h"
#include "playback/samplering.h"
#include "playback/sdlfeeder.h"

#include <atomic>
#include <cstdint>
#include <memory>

// The output through SDL's audio subsystem, which picks PipeWire, PulseAudio or ALSA (or, for
// tests, its disk or dummy driver). A feeder thread converts the source into a ring; the audio
// callback only copies from the ring, mixes in the fade of a sound that was cut off and counts
// frames. The device runs from open to close and plays silence while nothing plays: SDL 2 writes
// silence for a paused device just the same, so pausing it would queue no less.
class SdlAudioOutput : public AudioOutput {
public:
    // Frames per device buffer, asked of SDL. Through a sound server (bench/e2e_sound.sh, 31
    // plays a run) the median from play call to sound was 15 ms at 512 frames, 4.6-8.1 ms at 256
    // and 4.4-4.6 ms at 128, as the server keeps about one buffer queued ahead of a new sound.
    // But through the disk driver, on the same loaded machine, the longest of 200 times to sound
    // was 0.95-2.4 periods at 256 and 1.3-8.7 at 128 (up to 23 ms), and the waveform overview's
    // scan slowed the median at 128 by up to 22 %, at 256 by 1 %. The server dropped out alike at
    // both sizes.
    static constexpr int kBufferFrames = 256;

    SdlAudioOutput();
    ~SdlAudioOutput() override;
    SdlAudioOutput(const SdlAudioOutput&) = delete;
    SdlAudioOutput& operator=(const SdlAudioOutput&) = delete;

    void open() override;
    void close() override;
    bool isOpen() const override { return m_device != 0; }
    bool lost() const override;
    void start(AudioSource& source) override;
    // Fades the sound out and holds the rest of the source for resume().
    void pause() override;
    void resume() override;
    // Fades out what was playing, then silence; returns at once.
    void flush() override;
    uint64_t framesPlayed() const override;
    bool drained() const override;

    // The device's own format, while open.
    int sampleRate() const { return m_rate; }
    int channels() const { return m_channels; }
    int bufferFrames() const { return m_bufferFrames; }
    // Device frames the callback filled with silence because the ring ran dry while a source was
    // being played, since the output was made.
    uint64_t underrunFrames() const { return m_underrunFrames.load(std::memory_order_acquire); }

    // When the audio callback handed on the first frame of the current start, as the steady
    // clock's count; 0 until then. Lets a measurement of time to sound leave out how late its own
    // thread woke up.
    int64_t firstFrameTicks() const { return m_firstFrameTicks.load(std::memory_order_acquire); }

private:
    static void callback(void* self, uint8_t* stream, int length);
    void fill(float* samples, size_t count);
    // Stops the callback reading the ring, fading out what it would have played next.
    void cut();

    uint32_t m_device = 0;
    int m_rate = 0;
    int m_channels = 0;
    int m_bufferFrames = 0;
    int m_sourceRate = 0;
    SampleRing m_ring;
    FadeTail m_fade; // touched only by the callback and under the device's lock
    FeedProgress m_progress;
    std::unique_ptr<SdlFeeder> m_feeder;
    std::atomic<bool> m_reading{false}; // the callback takes frames from the ring
    std::atomic<uint64_t> m_deviceFramesPlayed{0};
    std::atomic<uint64_t> m_underrunFrames{0};
    std::atomic<int64_t> m_firstFrameTicks{0};
};
