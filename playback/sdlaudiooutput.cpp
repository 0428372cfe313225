#include "playback/sdlaudiooutput.h"

#include "app/sxerror.h"

#include <cstring>

namespace {

constexpr size_t kRingSamples = 48000; // a quarter of a second of stereo at 96 kHz, at most

QString sdlError() {
    return QString::fromUtf8(SDL_GetError());
}

} // namespace

SdlAudioOutput::SdlAudioOutput() : m_ring(kRingSamples) {}

SdlAudioOutput::~SdlAudioOutput() {
    if (m_device != 0)
        closeDevice();
}

SdlAudioOutput& SdlAudioOutput::shared() {
    static SdlAudioOutput output;
    return output;
}

bool SdlAudioOutput::lost() const {
    // SDL reports a device it has given up on as stopped; paused and playing ones are neither.
    return m_device != 0 && SDL_GetAudioDeviceStatus(m_device) == SDL_AUDIO_STOPPED;
}

// Shuts the audio subsystem down with the device: after a sound server restart only a driver
// started afresh can reach the new server.
void SdlAudioOutput::closeDevice() {
    SDL_CloseAudioDevice(m_device);
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    m_device = 0;
    m_ring.reset();
    m_framesPlayed.store(0, std::memory_order_release);
}

void SdlAudioOutput::open() {
    if (lost())
        closeDevice();
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
    m_device =
        SDL_OpenAudioDevice(nullptr, 0, &want, &m_spec,
                            SDL_AUDIO_ALLOW_FREQUENCY_CHANGE | SDL_AUDIO_ALLOW_CHANNELS_CHANGE);
    if (m_device == 0) {
        const QString error = sdlError();
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        throw SxError(QStringLiteral("No sound output: %1").arg(error));
    }
}

void SdlAudioOutput::resume() {
    SDL_PauseAudioDevice(m_device, 0);
}

void SdlAudioOutput::pause() {
    SDL_PauseAudioDevice(m_device, 1);
}

void SdlAudioOutput::flush() {
    SDL_LockAudioDevice(m_device);
    m_ring.reset();
    m_framesPlayed.store(0, std::memory_order_release);
    SDL_UnlockAudioDevice(m_device);
}

void SdlAudioOutput::callback(void* self, Uint8* stream, int length) {
    auto* output = static_cast<SdlAudioOutput*>(self);
    auto* samples = reinterpret_cast<float*>(stream);
    const size_t wanted = static_cast<size_t>(length) / sizeof(float);
    const size_t got = output->m_ring.read(samples, wanted);
    std::memset(samples + got, 0, (wanted - got) * sizeof(float));
    output->m_framesPlayed.fetch_add(got / static_cast<size_t>(output->m_spec.channels),
                                     std::memory_order_acq_rel);
}
