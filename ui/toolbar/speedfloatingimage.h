#pragma once

#include <QLabel>

// The picture of a button that follows the pointer while it is dragged, with its bottom-right
// corner at the pointer. It never takes the mouse or the focus.
class SpeedFloatingImage : public QLabel {
    Q_OBJECT
public:
    explicit SpeedFloatingImage(QWidget* owner);

    void start(const QPixmap& picture);
    // Moves the image so its bottom-right corner is at `pointer` and returns its top-left corner.
    QPoint follow(QPoint pointer);
    // The top-left corner of the image for a pointer at `pointer`.
    QPoint cornerFor(QPoint pointer) const { return pointer - QPoint(width(), height()); }
};
