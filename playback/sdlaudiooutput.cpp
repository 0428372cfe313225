#include "playback/sdlaudiooutput.h"

#include "base/sxerror.h"
#include "playback/audiosource.h"

#include <SDL.h>

#include <algorithm>
#include <chrono>
#include <cstring>

namespace {

QString sdlError() {
    return QString::fromUtf8(SDL_GetError());
}

} // namespace

SdlAudioOutput::SdlAudioOutput() : m_ring(SdlFeeder::kRingSamples) {}

SdlAudioOutput::~SdlAudioOutput() {
    close();
}

bool SdlAudioOutput::lost() const {
    // SDL reports a device it has given up on as stopped; a running one is playing.
    return m_device != 0 && SDL_GetAudioDeviceStatus(m_device) == SDL_AUDIO_STOPPED;
}

void SdlAudioOutput::open() {
    if (m_device != 0)
        return;
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    SDL_SetHint(SDL_HINT_AUDIO_DEVICE_APP_NAME, "Sondrix");
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0)
        throw SxError(QStringLiteral("No sound output: %1").arg(sdlError()));
    SDL_AudioSpec want{};
    want.freq = 48000;
    want.format = AUDIO_F32SYS;
    want.channels = 2;
    want.samples = kBufferFrames;
    want.callback = &SdlAudioOutput::callback;
    want.userdata = this;
    SDL_AudioSpec got{};
    m_device =
        SDL_OpenAudioDevice(nullptr, 0, &want, &got,
                            SDL_AUDIO_ALLOW_FREQUENCY_CHANGE | SDL_AUDIO_ALLOW_CHANNELS_CHANGE);
    if (m_device == 0) {
        const QString error = sdlError();
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        throw SxError(QStringLiteral("No sound output: %1").arg(error));
    }
    m_rate = got.freq;
    m_channels = got.channels;
    m_bufferFrames = got.samples;
    m_fade.setFormat(static_cast<size_t>(m_rate * FadeTail::kMilliseconds / 1000),
                     static_cast<size_t>(m_channels));
    SDL_PauseAudioDevice(m_device, 0);
}

// Shuts the audio subsystem down with the device: after a sound server restart only a driver
// started afresh can reach the new server.
void SdlAudioOutput::close() {
    if (m_device == 0)
        return;
    flush();
    SDL_CloseAudioDevice(m_device);
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    m_device = 0;
}

void SdlAudioOutput::start(AudioSource& source) {
    flush();
    m_sourceRate = source.sampleRate();
    m_feeder = std::make_unique<SdlFeeder>(source, m_ring, m_progress, m_rate, m_channels);
    // The first chunk is queued: the device may take it from its next buffer on, while the rest
    // of the prime is converted here.
    resume();
    m_feeder->primeThenRun(static_cast<uint64_t>(m_rate * SdlFeeder::kPrimeMilliseconds / 1000));
}

void SdlAudioOutput::cut() {
    if (m_reading.load(std::memory_order_acquire)) {
        const size_t faded = m_fade.cut(m_ring);
        m_deviceFramesPlayed.fetch_add(faded, std::memory_order_acq_rel);
    }
    m_reading.store(false, std::memory_order_release);
}

void SdlAudioOutput::pause() {
    SDL_LockAudioDevice(m_device);
    cut();
    SDL_UnlockAudioDevice(m_device);
}

void SdlAudioOutput::resume() {
    SDL_LockAudioDevice(m_device);
    m_reading.store(m_feeder != nullptr, std::memory_order_release);
    SDL_UnlockAudioDevice(m_device);
}

void SdlAudioOutput::flush() {
    if (m_device != 0) {
        SDL_LockAudioDevice(m_device);
        cut();
        SDL_UnlockAudioDevice(m_device);
    }
    m_feeder.reset(); // the callback no longer reads the ring, and now nothing writes it
    m_ring.reset();
    m_deviceFramesPlayed.store(0, std::memory_order_release);
    m_firstFrameTicks.store(0, std::memory_order_release);
}

uint64_t SdlAudioOutput::framesPlayed() const {
    if (m_rate == 0)
        return 0;
    return m_deviceFramesPlayed.load(std::memory_order_acquire) *
           static_cast<uint64_t>(m_sourceRate) / static_cast<uint64_t>(m_rate);
}

bool SdlAudioOutput::drained() const {
    return m_feeder && m_progress.allQueued.load(std::memory_order_acquire) &&
           m_deviceFramesPlayed.load(std::memory_order_acquire) >=
               m_progress.framesQueued.load(std::memory_order_acquire);
}

void SdlAudioOutput::callback(void* self, uint8_t* stream, int length) {
    static_cast<SdlAudioOutput*>(self)->fill(reinterpret_cast<float*>(stream),
                                             static_cast<size_t>(length) / sizeof(float));
}

void SdlAudioOutput::fill(float* samples, size_t count) {
    std::memset(samples, 0, count * sizeof(float));
    if (m_reading.load(std::memory_order_acquire)) {
        const auto channels = static_cast<size_t>(m_channels);
        const size_t held = std::min(count, m_fade.remaining());
        const size_t got = m_ring.read(samples + held, count - held);
        if (got > 0 && m_firstFrameTicks.load(std::memory_order_relaxed) == 0)
            m_firstFrameTicks.store(std::chrono::steady_clock::now().time_since_epoch().count(),
                                    std::memory_order_release);
        m_deviceFramesPlayed.fetch_add(got / channels, std::memory_order_acq_rel);
        if (held + got < count && !m_progress.allQueued.load(std::memory_order_acquire))
            m_underrunFrames.fetch_add((count - held - got) / channels, std::memory_order_acq_rel);
    }
    m_fade.mixInto(samples, count);
}
