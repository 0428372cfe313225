#pragma once

#include <QString>

#include <cstdint>

// Writes a 16-bit stereo WAV file with `dataBytes` of sound data: a 440 Hz tone for its first
// ten seconds and silence after, left as a hole in the file so that gigabytes cost no disk.
void writeBigWav(const QString& path, int64_t dataBytes, int sampleRate);
