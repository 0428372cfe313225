#pragma once

#include "ui/toolbar/speeditem.h"

#include <QObject>
#include <QPoint>

#include <functional>

class QWidget;

// The gesture that docks the bar at another edge of its parent: pressed, then past the
// threshold an inverted outline shows the strip the bar would take, and the release docks it
// through `dock`. `layout` is the bar's, for the thickness of the strip.
class SpeedBarDrag : public QObject {
    Q_OBJECT
public:
    SpeedBarDrag(QWidget* bar, const SpeedBarLayout& layout,
                 std::function<void(SpeedBarAlign)> dock);

    void press(QPoint global);
    void move(QPoint global);
    void release();
    bool isActive() const { return m_state != State::Idle; }

private:
    enum class State { Idle, Pressed, Dragging };
    void showOutline(QPoint global);

    QWidget* m_bar;
    const SpeedBarLayout& m_layout;
    std::function<void(SpeedBarAlign)> m_dock;
    State m_state = State::Idle;
    QPoint m_pressed;
    SpeedBarAlign m_zone = SpeedBarAlign::Top;
    QWidget* m_outline = nullptr;
};
