#pragma once

#include "playback/audiosource.h"

#include <sndfile.h>

#include <algorithm>

// One open sound file as frames at the file's own rate and channel count. The caller owns the
// file handle; the decoder only reads it.
class Decoder : public AudioSource {
public:
    Decoder(SNDFILE* file, const SF_INFO& info) : m_file(file), m_info(info) {}

    // Only while no output reads the decoder.
    void seek(int64_t frame) { sf_seek(m_file, frame, SEEK_SET); }

    int sampleRate() const override { return m_info.samplerate; }
    int channels() const override { return m_info.channels; }
    int64_t read(float* samples, int64_t frames) override {
        return std::max<int64_t>(0, sf_readf_float(m_file, samples, frames));
    }

private:
    SNDFILE* m_file;
    SF_INFO m_info;
};
