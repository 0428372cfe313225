#include "playback/sdlfeeder.h"

#include "playback/audiosource.h"
#include "playback/samplering.h"

#include <SDL.h>

#include <algorithm>
#include <chrono>

namespace {

constexpr int64_t kChunkFrames = 2048;
// SDL converts up to eight channels; wider sources are folded into stereo first.
constexpr int kMaxConvertedChannels = 8;

int convertedChannels(int sourceChannels) {
    return sourceChannels > kMaxConvertedChannels ? 2 : sourceChannels;
}

void foldToStereo(std::vector<float>& samples, int64_t frames, int channels) {
    for (int64_t f = 0; f < frames; ++f) {
        float left = 0, right = 0;
        for (int c = 0; c < channels; ++c)
            (c % 2 == 0 ? left : right) += samples[static_cast<size_t>(f * channels + c)];
        const float scale = 2.0f / static_cast<float>(channels);
        samples[static_cast<size_t>(2 * f)] = left * scale;
        samples[static_cast<size_t>(2 * f + 1)] = right * scale;
    }
}

} // namespace

SdlFeeder::SdlFeeder(AudioSource& source, SampleRing& ring, int deviceRate, int deviceChannels)
    : m_source(source), m_ring(ring), m_sourceRate(source.sampleRate()),
      m_sourceChannels(source.channels()), m_deviceRate(deviceRate),
      m_deviceChannels(deviceChannels),
      m_sourceChunk(static_cast<size_t>(kChunkFrames * m_sourceChannels)),
      m_deviceChunk(static_cast<size_t>(kChunkFrames * deviceChannels * 4)) {
    m_stream = SDL_NewAudioStream(
        AUDIO_F32SYS, static_cast<Uint8>(convertedChannels(m_sourceChannels)), m_sourceRate,
        AUDIO_F32SYS, static_cast<Uint8>(deviceChannels), deviceRate);
    m_endOfSource = m_allQueued = !m_stream;
    step();
    m_thread = std::thread([this] { run(); });
}

SdlFeeder::~SdlFeeder() {
    m_stopRequested = true;
    m_thread.join();
    if (m_stream)
        SDL_FreeAudioStream(m_stream);
}

void SdlFeeder::readChunk() {
    const int64_t frames = m_source.read(m_sourceChunk.data(), kChunkFrames);
    if (frames <= 0) {
        // SDL's resampler keeps the last few milliseconds back even when flushed; silence
        // behind the end lets the whole source through.
        std::fill(m_sourceChunk.begin(), m_sourceChunk.end(), 0.0f);
        const int padding = std::min<int>(kChunkFrames, m_sourceRate / 50) *
                            convertedChannels(m_sourceChannels) * static_cast<int>(sizeof(float));
        if (m_sourceRate != m_deviceRate)
            SDL_AudioStreamPut(m_stream, m_sourceChunk.data(), padding);
        SDL_AudioStreamFlush(m_stream);
        m_endOfSource = true;
        return;
    }
    if (m_sourceChannels > kMaxConvertedChannels)
        foldToStereo(m_sourceChunk, frames, m_sourceChannels);
    const int bytes = static_cast<int>(frames * convertedChannels(m_sourceChannels) *
                                       static_cast<int64_t>(sizeof(float)));
    SDL_AudioStreamPut(m_stream, m_sourceChunk.data(), bytes);
}

size_t SdlFeeder::pumpIntoRing() {
    const size_t channels = static_cast<size_t>(m_deviceChannels);
    const size_t room = std::min(m_ring.freeSpace(), m_deviceChunk.size()) / channels * channels;
    if (room == 0)
        return 0;
    const int got =
        SDL_AudioStreamGet(m_stream, m_deviceChunk.data(), static_cast<int>(room * sizeof(float)));
    if (got <= 0)
        return 0;
    const size_t samples = static_cast<size_t>(got) / sizeof(float);
    m_ring.write(m_deviceChunk.data(), samples);
    m_framesQueued.fetch_add(samples / channels, std::memory_order_acq_rel);
    return samples;
}

bool SdlFeeder::step() {
    if (m_allQueued)
        return false;
    bool worked = false;
    if (SDL_AudioStreamAvailable(m_stream) == 0) {
        if (m_endOfSource) {
            m_allQueued.store(true, std::memory_order_release);
            return false;
        }
        readChunk();
        worked = true;
    }
    return pumpIntoRing() > 0 || worked;
}

void SdlFeeder::run() {
    using namespace std::chrono_literals;
    while (!m_stopRequested.load(std::memory_order_acquire) && !m_allQueued) {
        if (!step())
            std::this_thread::sleep_for(5ms);
    }
}
