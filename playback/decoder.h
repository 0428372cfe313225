#pragma once

#include <sndfile.h>

#include <atomic>
#include <cstdint>
#include <thread>
#include <vector>

class AudioOutput;
struct _SDL_AudioStream;

// Decodes one open sound file on a thread of its own into the output's ring, converted to the
// output's rate and channels. The caller owns the file handle; the decoder only reads it while
// it runs.
class Decoder {
public:
    Decoder(SNDFILE* file, const SF_INFO& info, AudioOutput& output);
    ~Decoder();
    Decoder(const Decoder&) = delete;
    Decoder& operator=(const Decoder&) = delete;

    // Starts decoding at `frame` of the file. The first chunk is converted before this returns,
    // so the output has sound to take at once.
    void start(int64_t frame);
    void stop();
    // All of the file has been handed to the output and the output has played it.
    bool finished() const;

private:
    bool step(); // one unit of work; false when there was nothing to do
    bool readChunk();
    size_t pumpIntoRing();
    void run();

    SNDFILE* m_file;
    SF_INFO m_info;
    AudioOutput& m_output;
    _SDL_AudioStream* m_stream = nullptr;
    std::vector<float> m_fileChunk;
    std::vector<float> m_outChunk;
    std::thread m_thread;
    std::atomic<bool> m_stopRequested{false};
    std::atomic<bool> m_allQueued{false};
    std::atomic<uint64_t> m_framesQueued{0};
    bool m_endOfFile = false;
};
