#include "playback/sdlfeeder.h"

#include "playback/audiosource.h"
#include "playback/samplering.h"

#include <SDL.h>

#include <algorithm>
#include <chrono>
#include <numeric>

namespace {

constexpr int64_t kChunkFrames = 2048;
constexpr int64_t kMaxChunkFrames = 8192;
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

// SDL's converter steps in the waveform wherever a put does not come to a whole number of
// device frames, so chunks are whole blocks of source frames that do; a rate whose block is too
// long to wait for is fed in plain chunks.
int64_t chunkFramesFor(int sourceRate, int deviceRate) {
    const int64_t block = sourceRate / std::gcd(sourceRate, deviceRate);
    if (block > kMaxChunkFrames)
        return kChunkFrames;
    return std::max<int64_t>(1, kChunkFrames / block) * block;
}

} // namespace

SdlFeeder::SdlFeeder(AudioSource& source, SampleRing& ring, FeedProgress& progress, int deviceRate,
                     int deviceChannels)
    : m_source(source), m_ring(ring), m_progress(progress), m_sourceRate(source.sampleRate()),
      m_sourceChannels(source.channels()), m_deviceRate(deviceRate),
      m_deviceChannels(deviceChannels), m_chunkFrames(chunkFramesFor(m_sourceRate, deviceRate)),
      m_sourceChunk(static_cast<size_t>(m_chunkFrames * m_sourceChannels)),
      m_deviceChunk(static_cast<size_t>(kChunkFrames * deviceChannels * 4)) {
    m_stream = SDL_NewAudioStream(
        AUDIO_F32SYS, static_cast<Uint8>(convertedChannels(m_sourceChannels)), m_sourceRate,
        AUDIO_F32SYS, static_cast<Uint8>(deviceChannels), deviceRate);
    m_progress.allQueued.store(false, std::memory_order_release);
    m_progress.framesQueued.store(0, std::memory_order_release);
    m_endOfSource = !m_stream;
    step();
}

void SdlFeeder::primeThenRun(uint64_t frames) {
    while (m_progress.framesQueued.load(std::memory_order_acquire) < frames && step()) {
    }
    m_thread = std::thread([this] { run(); });
}

SdlFeeder::~SdlFeeder() {
    {
        std::lock_guard lock(m_mutex);
        m_stopRequested = true;
    }
    m_wake.notify_one();
    if (m_thread.joinable())
        m_thread.join();
    if (m_stream)
        SDL_FreeAudioStream(m_stream);
}

void SdlFeeder::readChunk() {
    const int64_t frames = m_source.read(m_sourceChunk.data(), m_chunkFrames);
    if (frames <= 0) {
        // SDL's resampler keeps the last few milliseconds back even when flushed; silence
        // behind the end lets the whole source through.
        std::fill(m_sourceChunk.begin(), m_sourceChunk.end(), 0.0f);
        const int padding = std::min<int>(static_cast<int>(m_chunkFrames), m_sourceRate / 50) *
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
    m_progress.framesQueued.fetch_add(samples / channels, std::memory_order_acq_rel);
    return samples;
}

bool SdlFeeder::step() {
    if (m_progress.allQueued.load(std::memory_order_acquire))
        return false;
    bool worked = false;
    if (!m_stream || SDL_AudioStreamAvailable(m_stream) == 0) {
        if (m_endOfSource) {
            m_progress.allQueued.store(true, std::memory_order_release);
            return false;
        }
        readChunk();
        worked = true;
    }
    return pumpIntoRing() > 0 || worked;
}

void SdlFeeder::run() {
    using namespace std::chrono_literals;
    std::unique_lock lock(m_mutex);
    while (!m_stopRequested && !m_progress.allQueued.load(std::memory_order_acquire)) {
        lock.unlock();
        const bool worked = step();
        lock.lock();
        if (!worked)
            m_wake.wait_for(lock, 5ms, [this] { return m_stopRequested; });
    }
}
