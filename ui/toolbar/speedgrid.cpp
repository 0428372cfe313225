#include "ui/toolbar/speedgrid.h"

#include <algorithm>
#include <cstdlib>

namespace speedgrid {

int stepAlong(int length) {
    int step = std::max(1, std::min(8, length / 3));
    while (length % step != 0)
        ++step;
    if (step == length && length > 1) {
        --step;
        while (step > 1 && length % step != 0)
            --step;
    }
    return step;
}

int stepX(const SpeedBarLayout& layout) {
    return layout.isVertical() ? layout.buttonWidth : stepAlong(layout.buttonWidth);
}

int stepY(const SpeedBarLayout& layout) {
    return layout.isVertical() ? stepAlong(layout.buttonHeight) : layout.buttonHeight;
}

int roundHalfEven(int value, int step) {
    int quotient = value / step;
    int remainder = value % step;
    if (remainder < 0) { // floor division, so the remainder lies in [0, step)
        --quotient;
        remainder += step;
    }
    if (2 * remainder > step || (2 * remainder == step && quotient % 2 != 0))
        ++quotient;
    return quotient;
}

QPoint snap(const SpeedBarLayout& layout, QPoint corner) {
    const int gx = stepX(layout);
    const int gy = stepY(layout);
    const int x = corner.x() - layout.offsetHorizontal;
    const int y = corner.y() - layout.offsetVertical;
    // Integer division truncates toward zero, as the row across the bar is taken.
    const int columns = layout.isVertical() ? x / gx : roundHalfEven(x, gx);
    const int rows = layout.isVertical() ? roundHalfEven(y, gy) : y / gy;
    return {gx * columns + layout.offsetHorizontal, gy * rows + layout.offsetVertical};
}

bool PlaceDroppedButton(SpeedBarLayout& layout, SpeedItem& item, QPoint corner, QRect client) {
    if (!layout.belongsToSection(item))
        return false;
    const QPoint place = snap(layout, corner);
    item.left = place.x();
    item.top = place.y();
    item.visible = client.contains(place);
    layout.zOrder.removeAll(item.name);
    if (item.visible)
        layout.zOrder.append(item.name);
    else
        layout.zOrder.prepend(item.name);
    return item.visible;
}

void setAlign(SpeedBarAlign align, SpeedBarLayout& layout) {
    const bool wasVertical = layout.isVertical();
    layout.align = align;
    if (wasVertical == layout.isVertical())
        return;
    std::swap(layout.buttonWidth, layout.buttonHeight);
    std::swap(layout.offsetHorizontal, layout.offsetVertical);
    for (SpeedItem& item : layout.items)
        std::swap(item.left, item.top);
}

SpeedBarAlign dockZone(QPoint point, QSize client) {
    // y <= x·H/W and y < H·(1 − x/W), multiplied out by W so no fraction is lost.
    const qint64 x = point.x();
    const qint64 y = point.y();
    const qint64 w = client.width();
    const qint64 h = client.height();
    const bool aboveFalling = y * w <= x * h;
    const bool aboveRising = y * w < h * (w - x);
    if (aboveFalling)
        return aboveRising ? SpeedBarAlign::Top : SpeedBarAlign::Right;
    return aboveRising ? SpeedBarAlign::Left : SpeedBarAlign::Bottom;
}

QRect dockStrip(SpeedBarAlign align, QSize client, int thickness) {
    switch (align) {
    case SpeedBarAlign::Bottom:
        return {0, client.height() - thickness, client.width(), thickness};
    case SpeedBarAlign::Left:
        return {0, 0, thickness, client.height()};
    case SpeedBarAlign::Right:
        return {client.width() - thickness, 0, thickness, client.height()};
    case SpeedBarAlign::Top:
        break;
    }
    return {0, 0, client.width(), thickness};
}

bool passesDragThreshold(QPoint pressed, QPoint now) {
    const QPoint moved = now - pressed;
    return std::abs(moved.x()) >= kDragThreshold || std::abs(moved.y()) >= kDragThreshold;
}

} // namespace speedgrid
