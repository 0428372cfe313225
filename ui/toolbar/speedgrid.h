#pragma once

#include "ui/toolbar/speeditem.h"

#include <QPoint>
#include <QRect>
#include <QSize>

// The toolbar's arithmetic, free of widgets: the placement grid, dropping a button on it, turning
// the bar, and the docking zones of a bar drag.
namespace speedgrid {

// The grid step along the bar for a button of length `length` along it.
int stepAlong(int length);
// The grid steps in bar coordinates: along the bar from the button length, across it the size.
int stepX(const SpeedBarLayout& layout);
int stepY(const SpeedBarLayout& layout);

// value / step rounded to the nearest whole number, an exact half going to the even one.
int roundHalfEven(int value, int step);
// The grid position nearest to a requested top-left corner: to the nearest step along the bar,
// and to the row (or column) the corner falls in across it.
QPoint snap(const SpeedBarLayout& layout, QPoint corner);

// Puts the item's button at the grid position nearest to `corner` (bar coordinates). A position
// inside `client` shows the item in front of the others; any other hides it behind them. Returns
// whether the button is on the bar; an item outside the bar's sections is left alone (false).
bool PlaceDroppedButton(SpeedBarLayout& layout, SpeedItem& item, QPoint corner, QRect client);

// Docks the layout at `align`. Between a horizontal and a vertical edge the button size, the
// offsets and every button's left and top are exchanged, which also exchanges the grid steps.
void setAlign(SpeedBarAlign align, SpeedBarLayout& layout);

// The edge whose triangle of the client area holds `point` (client coordinates).
SpeedBarAlign dockZone(QPoint point, QSize client);
// The strip along `align` that a bar of `thickness` takes in the client area.
QRect dockStrip(SpeedBarAlign align, QSize client, int thickness);

// A bar drag starts once the pointer is this far from the press, across or down.
inline constexpr int kDragThreshold = 5;
bool passesDragThreshold(QPoint pressed, QPoint now);

} // namespace speedgrid
