#pragma once

#include <QRect>

// Stored placement numbers may hold any value. The normal rectangle is read as left, top, right
// and bottom in 64 bits, so no difference of two of them overflows, and is made into a rectangle
// inside `available`, the available area of a screen that exists: no larger than it, and moved
// onto it keeping its size where it fits.
QRect fitStoredRect(qint64 left, qint64 top, qint64 right, qint64 bottom, const QRect& available);

// The available area of the screen under the point, else of the primary screen; empty without a
// screen.
QRect availableScreenAreaAt(qint64 x, qint64 y);
