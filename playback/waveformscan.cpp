#include "playback/waveformscan.h"

#include "playback/regularsoundfile.h"

#include <QElapsedTimer>

#include <algorithm>

namespace {

// Integer encodings are read as 16-bit integers: a fraction of the time of reading floats, and
// finer than any screen shows. Float data read that way would be rounded to whole numbers unless
// scaled by its peak, which libsndfile finds by reading the whole file, so it is read as floats.
bool readsAsIntegers(int format) {
    switch (format & SF_FORMAT_SUBMASK) {
    case SF_FORMAT_PCM_S8:
    case SF_FORMAT_PCM_U8:
    case SF_FORMAT_PCM_16:
    case SF_FORMAT_PCM_24:
    case SF_FORMAT_PCM_32:
    case SF_FORMAT_ULAW:
    case SF_FORMAT_ALAW:
    case SF_FORMAT_IMA_ADPCM:
    case SF_FORMAT_MS_ADPCM:
        return true;
    default:
        return false;
    }
}

sf_count_t readFrames(SNDFILE* file, short* block, sf_count_t frames) {
    return sf_readf_short(file, block, frames);
}
sf_count_t readFrames(SNDFILE* file, float* block, sf_count_t frames) {
    return sf_readf_float(file, block, frames);
}
constexpr float fullScale(short) {
    return 32768.0f;
}
constexpr float fullScale(float) {
    return 1.0f;
}

// Reads frames [from, from + count) and widens the column by every sample of every channel.
// False when stopped or when the file ends early.
template <typename Sample> class ColumnReader {
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
            const sf_count_t got = readFrames(m_file.handle(), m_block.data(), want);
            if (got <= 0)
                return false;
            Sample low = m_block[0];
            Sample high = m_block[0];
            const auto end = m_block.begin() + got * m_file.info().channels;
            for (auto it = m_block.begin(); it != end; ++it) {
                low = std::min(low, *it);
                high = std::max(high, *it);
            }
            constexpr float scale = fullScale(Sample{});
            column.min = std::min(touched ? column.min : 1.0f, static_cast<float>(low) / scale);
            column.max = std::max(touched ? column.max : -1.0f, static_cast<float>(high) / scale);
            touched = true;
            m_position += got;
            count -= got;
        }
        return true;
    }

private:
    const RegularSoundFile& m_file;
    const std::function<bool()>& m_stopped;
    std::vector<Sample> m_block;
    int64_t m_position = 0;
};

// The first frame of column `c`: rounded up, so each frame falls in exactly one column.
int64_t firstFrameOf(int64_t c, int64_t frames, int64_t columns) {
    return (frames * c + columns - 1) / columns;
}

template <typename Sample>
bool scanColumns(const RegularSoundFile& file, WaveformPeaks& peaks,
                 const std::function<bool()>& stopped,
                 const std::function<void(const WaveformPeaks&)>& report) {
    constexpr int64_t block = WaveformScan::kBlockFrames;
    const auto columns = static_cast<int>(peaks.columns.size());
    const int64_t frames = std::max<sf_count_t>(0, file.info().frames);
    // Blocks read per column when the file is longer than the exact reading allows.
    const int64_t blocksPerColumn =
        std::max<int64_t>(1, WaveformScan::kExactFrames / block / columns);
    ColumnReader<Sample> reader(file, stopped);
    QElapsedTimer sinceReport;
    sinceReport.start();
    for (int c = 0; c < columns; ++c) {
        // Frame f belongs to column floor(f * columns / frames).
        const int64_t from = firstFrameOf(c, frames, columns);
        const int64_t span = firstFrameOf(c + 1, frames, columns) - from;
        WaveformPeaks::Column& column = peaks.columns[static_cast<size_t>(c)];
        bool touched = false;
        if (frames <= WaveformScan::kExactFrames || span <= blocksPerColumn * block) {
            if (!reader.read(from, span, column, touched))
                return false;
        } else {
            for (int64_t b = 0; b < blocksPerColumn; ++b) {
                const int64_t start =
                    from + (span - block) * b / std::max<int64_t>(1, blocksPerColumn - 1);
                if (!reader.read(start, block, column, touched))
                    return false;
            }
        }
        peaks.known = c + 1;
        if (sinceReport.elapsed() >= WaveformScan::kReportMs) {
            report(peaks);
            sinceReport.restart();
        }
    }
    report(peaks);
    return true;
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
    return readsAsIntegers(file.info().format) ? scanColumns<short>(file, peaks, stopped, report)
                                               : scanColumns<float>(file, peaks, stopped, report);
}
