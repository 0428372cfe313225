#include "ui/toolbar/speedfloatingimage.h"

SpeedFloatingImage::SpeedFloatingImage(QWidget* owner)
    : QLabel(owner, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowTransparentForInput |
                        Qt::WindowDoesNotAcceptFocus) {
    setAttribute(Qt::WA_ShowWithoutActivating);
    setObjectName(QStringLiteral("floatingImage"));
}

void SpeedFloatingImage::start(const QPixmap& picture) {
    setPixmap(picture);
    setFixedSize(picture.deviceIndependentSize().toSize());
}

QPoint SpeedFloatingImage::follow(QPoint pointer) {
    const QPoint corner = cornerFor(pointer);
    move(corner);
    return corner;
}
