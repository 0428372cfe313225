#pragma once

#include "playback/audiooutput.h"
#include "playback/samplering.h"

#include <SDL.h>

#include <atomic>

// The output through SDL's audio subsystem, which picks PipeWire, PulseAudio or ALSA (or, for
// tests, its disk or dummy driver). The callback only copies from the ring and counts frames.
class SdlAudioOutput : public AudioOutput {
public:
    SdlAudioOutput();
    ~SdlAudioOutput() override;

    static SdlAudioOutput& shared();

    void open() override;
    bool isOpen() const override { return m_device != 0; }
    bool lost() const override;
    int sampleRate() const override { return m_spec.freq; }
    int channels() const override { return m_spec.channels; }
    SampleRing& ring() override { return m_ring; }
    void resume() override;
    void pause() override;
    void flush() override;
    uint64_t framesPlayed() const override {
        return m_framesPlayed.load(std::memory_order_acquire);
    }
    int bufferFrames() const { return m_spec.samples; }

    static constexpr int kBufferFrames = 512;

private:
    static void callback(void* self, Uint8* stream, int length);
    void closeDevice();

    SDL_AudioDeviceID m_device = 0;
    SDL_AudioSpec m_spec{};
    SampleRing m_ring;
    std::atomic<uint64_t> m_framesPlayed{0};
};
