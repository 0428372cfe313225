#pragma once

#include <QString>

#include <cstdint>
#include <vector>

// Writes a 16-bit stereo WAV file with `dataBytes` of sound data: a tone (440 Hz unless told) for
// its first `toneSeconds` and silence after, left as a hole in the file so that gigabytes cost no
// disk.
void writeBigWav(const QString& path, int64_t dataBytes, int sampleRate, double toneHz = 440.0,
                 int toneSeconds = 10);
// Writes a short 16-bit stereo WAV file in which no frame is silent and neighbouring frames
// differ, so that a frame left out or repeated shows; returns the samples of one channel.
std::vector<int16_t> writeSeamWav(const QString& path, int frames, int sampleRate);
