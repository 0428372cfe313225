#pragma once

#include "playback/waveformpeaks.h"

#include <QString>

#include <cstdint>
#include <functional>

// Reads a sound file once, from left to right, into `columns` peak columns. Files of up to
// kExactFrames frames (46 minutes at 48 kHz; 512 MiB of 16-bit stereo) are read whole, so every
// sample counts, to 16 bits for integer encodings. Longer files are read in evenly
// spaced blocks of kBlockFrames, kExactFrames in all, so the time stays bounded: a peak that
// falls between two blocks can be missed there. `stopped` is asked after every block and ends
// the scan at once; `report` receives the peaks known so far about every kReportMs and at the
// end. Memory: the columns and one block.
struct WaveformScan {
    static constexpr int64_t kExactFrames = 128 * 1024 * 1024;
    static constexpr int64_t kBlockFrames = 4096;
    static constexpr int kReportMs = 40;

    // False when the file cannot be read or the scan was stopped; `peaks` then holds what was
    // known.
    static bool run(const QString& path, int columns, WaveformPeaks& peaks,
                    const std::function<bool()>& stopped,
                    const std::function<void(const WaveformPeaks&)>& report);
};
