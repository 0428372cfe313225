#pragma once

#include "playback/audiooutput.h"
#include "playback/samplering.h"

#include <atomic>
#include <cstdint>
#include <memory>

class SdlFeeder;

// The output through SDL's audio subsystem, which picks PipeWire, PulseAudio or ALSA (or, for
// tests, its disk or dummy driver). A feeder thread converts the source into a ring; the audio
// callback only copies from the ring and counts frames.
class SdlAudioOutput : public AudioOutput {
public:
    SdlAudioOutput();
    ~SdlAudioOutput() override;
    SdlAudioOutput(const SdlAudioOutput&) = delete;
    SdlAudioOutput& operator=(const SdlAudioOutput&) = delete;

    void open() override;
    void close() override;
    bool isOpen() const override { return m_device != 0; }
    bool lost() const override;
    void start(AudioSource& source) override;
    void pause() override;
    void resume() override;
    void flush() override;
    uint64_t framesPlayed() const override;
    bool drained() const override;

    // The device's own format, while open.
    int sampleRate() const { return m_rate; }
    int channels() const { return m_channels; }
    int bufferFrames() const { return m_bufferFrames; }

private:
    static void callback(void* self, uint8_t* stream, int length);

    uint32_t m_device = 0;
    int m_rate = 0;
    int m_channels = 0;
    int m_bufferFrames = 0;
    int m_sourceRate = 0;
    SampleRing m_ring;
    std::unique_ptr<SdlFeeder> m_feeder;
    std::atomic<uint64_t> m_deviceFramesPlayed{0};
};
