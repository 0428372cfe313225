#include "playback/sdlaudiooutput.h"

#include "app/sxerror.h"
#include "playback/audiosource.h"
#include "playback/sdlfeeder.h"

#include <SDL.h>

#include <cstring>

namespace {

constexpr size_t kRingSamples = 48000; // a quarter of a second of stereo at 96 kHz, at most
constexpr int kBufferFrames = 512;

QString sdlError() {
    return QString::fromUtf8(SDL_GetError());
}

} // namespace

SdlAudioOutput::SdlAudioOutput() : m_ring(kRingSamples) {}

SdlAudioOutput::~SdlAudioOutput() {
    close();
}

bool SdlAudioOutput::lost() const {
    // SDL reports a device it has given up on as stopped; paused and playing ones are neither.
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
    m_feeder = std::make_unique<SdlFeeder>(source, m_ring, m_rate, m_channels);
    resume();
}

void SdlAudioOutput::pause() {
    SDL_PauseAudioDevice(m_device, 1);
}

void SdlAudioOutput::resume() {
    SDL_PauseAudioDevice(m_device, 0);
}

void SdlAudioOutput::flush() {
    if (m_device != 0)
        pause();
    m_feeder.reset();
    if (m_device == 0)
        return;
    SDL_LockAudioDevice(m_device);
    m_ring.reset();
    m_deviceFramesPlayed.store(0, std::memory_order_release);
    SDL_UnlockAudioDevice(m_device);
}

uint64_t SdlAudioOutput::framesPlayed() const {
    if (m_rate == 0)
        return 0;
    return m_deviceFramesPlayed.load(std::memory_order_acquire) *
           static_cast<uint64_t>(m_sourceRate) / static_cast<uint64_t>(m_rate);
}

bool SdlAudioOutput::drained() const {
    return m_feeder && m_feeder->allQueued() &&
           m_deviceFramesPlayed.load(std::memory_order_acquire) >= m_feeder->framesQueued();
}

void SdlAudioOutput::callback(void* self, uint8_t* stream, int length) {
    auto* output = static_cast<SdlAudioOutput*>(self);
    auto* samples = reinterpret_cast<float*>(stream);
    const size_t wanted = static_cast<size_t>(length) / sizeof(float);
    const size_t got = output->m_ring.read(samples, wanted);
    std::memset(samples + got, 0, (wanted - got) * sizeof(float));
    output->m_deviceFramesPlayed.fetch_add(got / static_cast<size_t>(output->m_channels),
                                           std::memory_order_acq_rel);
}
