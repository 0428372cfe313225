#include "playback/waveformscan.h"

#include "playback/regularsoundfile.h"

#include <QElapsedTimer>

#include <algorithm>

namespace {

// Reads frames [from, from + count) and widens the column by every sample of every channel.
// False when stopped or when the file ends early.
class ColumnReader {
public:
    ColumnReader(const RegularSoundFile& file, const std::function<bool()>& stopped)
        : m_file(file), m_stopped(stopped),
          m_block(static_cast<size_t>(WaveformScan::kBlockFrames * file.info().channels)) {}

    bool read(int64_t from, int64_t count, WaveformPeaks::Column& column, bool& touched) {
        if (from != m_position && sf_seek(m_file.handle(), from, SEEK_SET) != from)
            return false;
        m_position = from;
        while (count > 0) {
            if (m_stopped())
                return false;
            const int64_t want = std::min(count, WaveformScan::kBlockFrames);
            const sf_count_t got = sf_readf_float(m_file.handle(), m_block.data(), want);
            if (got <= 0)
                return false;
            const auto end = m_block.begin() + got * m_file.info().channels;
            const auto [low, high] = std::minmax_element(m_block.begin(), end);
            column.min = touched ? std::min(column.min, *low) : *low;
            column.max = touched ? std::max(column.max, *high) : *high;
            touched = true;
            m_position += got;
            count -= got;
        }
        return true;
    }

private:
    const RegularSoundFile& m_file;
    const std::function<bool()>& m_stopped;
    std::vector<float> m_block;
    int64_t m_position = 0;
};

// The first frame of column `c`: rounded up, so each frame falls in exactly one column.
int64_t firstFrameOf(int64_t c, int64_t frames, int64_t columns) {
    return (frames * c + columns - 1) / columns;
}

} // namespace

bool WaveformScan::run(const QString& path, int columns, WaveformPeaks& peaks,
                       const std::function<bool()>& stopped,
                       const std::function<void(const WaveformPeaks&)>& report) {
    peaks = WaveformPeaks{};
    const RegularSoundFile file(path);
    if (!file.isOpen() || columns <= 0 || file.info().channels <= 0)
        return false;
    peaks.columns.resize(static_cast<size_t>(columns));
    const int64_t frames = std::max<sf_count_t>(0, file.info().frames);
    // Blocks read per column when the file is longer than the exact reading allows.
    const int64_t blocksPerColumn = std::max<int64_t>(1, kExactFrames / kBlockFrames / columns);
    ColumnReader reader(file, stopped);
    QElapsedTimer sinceReport;
    sinceReport.start();
    for (int c = 0; c < columns; ++c) {
        // Frame f belongs to column floor(f * columns / frames).
        const int64_t from = firstFrameOf(c, frames, columns);
        const int64_t span = firstFrameOf(c + 1, frames, columns) - from;
        WaveformPeaks::Column& column = peaks.columns[static_cast<size_t>(c)];
        bool touched = false;
        if (frames <= kExactFrames || span <= blocksPerColumn * kBlockFrames) {
            if (!reader.read(from, span, column, touched))
                return false;
        } else {
            for (int64_t b = 0; b < blocksPerColumn; ++b) {
                const int64_t start =
                    from + (span - kBlockFrames) * b / std::max<int64_t>(1, blocksPerColumn - 1);
                if (!reader.read(start, kBlockFrames, column, touched))
                    return false;
            }
        }
        peaks.known = c + 1;
        if (sinceReport.elapsed() >= kReportMs) {
            report(peaks);
            sinceReport.restart();
        }
    }
    report(peaks);
    return true;
}
