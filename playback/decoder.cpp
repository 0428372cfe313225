#include "playback/decoder.h"

#include "playback/audiooutput.h"
#include "playback/samplering.h"

#include <SDL.h>

#include <algorithm>
#include <chrono>

namespace {

constexpr sf_count_t kChunkFrames = 2048;
// SDL converts up to eight channels; wider files are folded into stereo first.
constexpr int kMaxConvertedChannels = 8;

int convertedChannels(int fileChannels) {
    return fileChannels > kMaxConvertedChannels ? 2 : fileChannels;
}

void foldToStereo(std::vector<float>& samples, sf_count_t frames, int channels) {
    for (sf_count_t f = 0; f < frames; ++f) {
        float left = 0, right = 0;
        for (int c = 0; c < channels; ++c)
            (c % 2 == 0 ? left : right) += samples[static_cast<size_t>(f * channels + c)];
        const float scale = 2.0f / static_cast<float>(channels);
        samples[static_cast<size_t>(2 * f)] = left * scale;
        samples[static_cast<size_t>(2 * f + 1)] = right * scale;
    }
}

} // namespace

Decoder::Decoder(SNDFILE* file, const SF_INFO& info, AudioOutput& output)
    : m_file(file), m_info(info), m_output(output),
      m_fileChunk(static_cast<size_t>(kChunkFrames * info.channels)),
      m_outChunk(static_cast<size_t>(kChunkFrames * output.channels() * 4)) {}

Decoder::~Decoder() {
    stop();
}

void Decoder::start(int64_t frame) {
    stop();
    if (m_stream)
        SDL_FreeAudioStream(m_stream);
    m_stream = SDL_NewAudioStream(
        AUDIO_F32SYS, static_cast<Uint8>(convertedChannels(m_info.channels)), m_info.samplerate,
        AUDIO_F32SYS, static_cast<Uint8>(m_output.channels()), m_output.sampleRate());
    sf_seek(m_file, frame, SEEK_SET);
    m_endOfFile = !m_stream;
    m_allQueued = !m_stream;
    m_framesQueued = 0;
    m_stopRequested = false;
    step();
    m_thread = std::thread([this] { run(); });
}

void Decoder::stop() {
    m_stopRequested = true;
    if (m_thread.joinable())
        m_thread.join();
    if (m_stream) {
        SDL_FreeAudioStream(m_stream);
        m_stream = nullptr;
    }
}

bool Decoder::finished() const {
    return m_allQueued.load(std::memory_order_acquire) &&
           m_output.framesPlayed() >= m_framesQueued.load(std::memory_order_acquire);
}

bool Decoder::readChunk() {
    const sf_count_t frames = sf_readf_float(m_file, m_fileChunk.data(), kChunkFrames);
    if (frames <= 0) {
        // SDL's resampler keeps the last few milliseconds back even when flushed; silence
        // behind the end lets the whole file through.
        std::fill(m_fileChunk.begin(), m_fileChunk.end(), 0.0f);
        const int padding = std::min<int>(kChunkFrames, m_info.samplerate / 50) *
                            convertedChannels(m_info.channels) * static_cast<int>(sizeof(float));
        if (m_info.samplerate != m_output.sampleRate())
            SDL_AudioStreamPut(m_stream, m_fileChunk.data(), padding);
        SDL_AudioStreamFlush(m_stream);
        m_endOfFile = true;
        return true;
    }
    if (m_info.channels > kMaxConvertedChannels)
        foldToStereo(m_fileChunk, frames, m_info.channels);
    const int bytes = static_cast<int>(frames * convertedChannels(m_info.channels) *
                                       static_cast<sf_count_t>(sizeof(float)));
    SDL_AudioStreamPut(m_stream, m_fileChunk.data(), bytes);
    return true;
}

size_t Decoder::pumpIntoRing() {
    SampleRing& ring = m_output.ring();
    const size_t channels = static_cast<size_t>(m_output.channels());
    const size_t room = std::min(ring.freeSpace(), m_outChunk.size()) / channels * channels;
    if (room == 0)
        return 0;
    const int got =
        SDL_AudioStreamGet(m_stream, m_outChunk.data(), static_cast<int>(room * sizeof(float)));
    if (got <= 0)
        return 0;
    const size_t samples = static_cast<size_t>(got) / sizeof(float);
    ring.write(m_outChunk.data(), samples);
    m_framesQueued.fetch_add(samples / channels, std::memory_order_acq_rel);
    return samples;
}

bool Decoder::step() {
    if (m_allQueued)
        return false;
    bool worked = false;
    if (SDL_AudioStreamAvailable(m_stream) == 0) {
        if (m_endOfFile) {
            m_allQueued.store(true, std::memory_order_release);
            return false;
        }
        worked = readChunk();
    }
    return pumpIntoRing() > 0 || worked;
}

void Decoder::run() {
    using namespace std::chrono_literals;
    while (!m_stopRequested.load(std::memory_order_acquire) && !m_allQueued) {
        if (!step())
            std::this_thread::sleep_for(5ms);
    }
}
