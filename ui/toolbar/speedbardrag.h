#pragma once

#include "ui/toolbar/speeditem.h"

#include <QObject>
#include <QPoint>

class SpeedBar;
class QWidget;

// The gesture that docks the bar at another edge of its parent: pressed, then past the
// threshold an inverted outline shows the strip the bar would take, and the release docks it.
class SpeedBarDrag : public QObject {
    Q_OBJECT
public:
    explicit SpeedBarDrag(SpeedBar* bar);

    void press(QPoint global);
    void move(QPoint global);
    void release();
    bool isActive() const { return m_state != State::Idle; }

private:
    enum class State { Idle, Pressed, Dragging };
    void showOutline(QPoint global);

    SpeedBar* m_bar;
    State m_state = State::Idle;
    QPoint m_pressed;
    SpeedBarAlign m_zone = SpeedBarAlign::Top;
    QWidget* m_outline = nullptr;
};
