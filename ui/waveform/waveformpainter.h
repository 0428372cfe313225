#pragma once

#include "playback/waveformpeaks.h"

#include <QPalette>
#include <QRect>

class QPainter;

// Paints the overview into `rect`, one vertical line per pixel column from its maximum to its
// minimum around the middle, after the bar has drawn its groove and fill. Left of
// `playedFraction` (0..1) the lines take the fill's text colour, right of it the window text
// colour half transparent, so both read on the fill and on the groove in light and dark
// palettes; a disabled bar takes the palette's disabled colours. Columns not yet known are left
// blank, and with no peaks nothing is painted.
void paintWaveformOverview(QPainter& painter, const QRect& rect, const WaveformPeaks& peaks,
                           const QPalette& palette, bool enabled, double playedFraction);
