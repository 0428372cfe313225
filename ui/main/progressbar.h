#pragma once

#include <QProgressBar>

// The progress bar, reporting presses with the pointer's position in bar pixels.
class ProgressBar : public QProgressBar {
    Q_OBJECT
public:
    using QProgressBar::QProgressBar;

Q_SIGNALS:
    void pressed(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, int x);

protected:
    void mousePressEvent(QMouseEvent* event) override;
};
