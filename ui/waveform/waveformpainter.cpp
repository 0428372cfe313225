#include "ui/waveform/waveformpainter.h"

#include <QLine>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

constexpr int kUnplayedAlpha = 150;

// The peak columns [first, last) folded into one.
WaveformPeaks::Column fold(const WaveformPeaks& peaks, int first, int last) {
    WaveformPeaks::Column folded = peaks.columns[static_cast<size_t>(first)];
    for (int c = first + 1; c < last; ++c) {
        folded.min = std::min(folded.min, peaks.columns[static_cast<size_t>(c)].min);
        folded.max = std::max(folded.max, peaks.columns[static_cast<size_t>(c)].max);
    }
    return folded;
}

} // namespace

void paintWaveformOverview(QPainter& painter, const QRect& rect, const WaveformPeaks& peaks,
                           const QPalette& palette, bool enabled, double playedFraction) {
    const int count = static_cast<int>(peaks.columns.size());
    if (peaks.known <= 0 || rect.width() <= 0 || rect.height() <= 0)
        return;
    const int width = rect.width();
    const double middle = rect.top() + (rect.height() - 1) / 2.0;
    const double half = (rect.height() - 1) / 2.0;
    const auto y = [&](float value) {
        return static_cast<int>(std::lround(middle - std::clamp(value, -1.0f, 1.0f) * half));
    };
    const int playedWidth =
        static_cast<int>(std::lround(std::clamp(playedFraction, 0.0, 1.0) * width));
    std::vector<QLine> played;
    std::vector<QLine> unplayed;
    for (int x = 0; x < width; ++x) {
        const int first = static_cast<int>(static_cast<qint64>(x) * count / width);
        const int last =
            std::max(first + 1, static_cast<int>(static_cast<qint64>(x + 1) * count / width));
        if (last > peaks.known)
            break; // columns to the right are still being read
        const WaveformPeaks::Column column = fold(peaks, first, last);
        const QLine line(rect.left() + x, y(column.max), rect.left() + x, y(column.min));
        (x < playedWidth ? played : unplayed).push_back(line);
    }
    const QPalette::ColorGroup group = enabled ? QPalette::Active : QPalette::Disabled;
    QColor rest = palette.color(group, QPalette::WindowText);
    rest.setAlpha(kUnplayedAlpha);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(QPen(palette.color(group, QPalette::HighlightedText), 0));
    painter.drawLines(played.data(), static_cast<int>(played.size()));
    painter.setPen(QPen(rest, 0));
    painter.drawLines(unplayed.data(), static_cast<int>(unplayed.size()));
    painter.restore();
}
