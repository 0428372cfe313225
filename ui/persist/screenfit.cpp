#include "ui/persist/screenfit.h"

#include <QGuiApplication>
#include <QScreen>

#include <algorithm>
#include <limits>

namespace {

int toInt(qint64 value) {
    return static_cast<int>(std::clamp<qint64>(value, std::numeric_limits<int>::min(),
                                               std::numeric_limits<int>::max()));
}

} // namespace

QRect fitStoredRect(qint64 left, qint64 top, qint64 right, qint64 bottom, const QRect& available) {
    const qint64 width = std::clamp<qint64>(right - left, 0, available.width());
    const qint64 height = std::clamp<qint64>(bottom - top, 0, available.height());
    // Wholly on the screen, so the title bar can be grabbed: moved as little as that takes.
    const qint64 x =
        std::clamp<qint64>(left, available.left(), available.left() + available.width() - width);
    const qint64 y =
        std::clamp<qint64>(top, available.top(), available.top() + available.height() - height);
    return QRect(toInt(x), toInt(y), toInt(width), toInt(height));
}

QRect availableScreenAreaAt(qint64 x, qint64 y) {
    const QScreen* screen = QGuiApplication::screenAt(QPoint(toInt(x), toInt(y)));
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : QRect();
}
