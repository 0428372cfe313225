#pragma once

#include "playback/audiosource.h"

#include <sndfile.h>

#include <algorithm>

// One open sound file as frames at the file's own rate and channel count. The caller owns the
// file handle; the decoder only reads it. A looping decoder goes on from the file's first frame
// when it reaches the end, within the same read, so whatever reads it sees one unbroken stream.
class Decoder : public AudioSource {
public:
    Decoder(SNDFILE* file, const SF_INFO& info) : m_file(file), m_info(info) {}

    // Both only while no output reads the decoder.
    void seek(int64_t frame) { sf_seek(m_file, frame, SEEK_SET); }
    void setLooping(bool looping) { m_looping = looping; }

    int sampleRate() const override { return m_info.samplerate; }
    int channels() const override { return m_info.channels; }
    int64_t read(float* samples, int64_t frames) override {
        int64_t got = readOnce(samples, frames);
        while (m_looping && got < frames) {
            seek(0);
            const int64_t more = readOnce(samples + got * m_info.channels, frames - got);
            if (more == 0)
                break; // a file without frames ends even when looping
            got += more;
        }
        return got;
    }

private:
    int64_t readOnce(float* samples, int64_t frames) {
        return std::max<int64_t>(0, sf_readf_float(m_file, samples, frames));
    }

    SNDFILE* m_file;
    SF_INFO m_info;
    bool m_looping = false;
};
