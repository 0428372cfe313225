#pragma once

#include <QWidget>

class QBoxLayout;
class SpeedBar;

// The window's client area: the bar along the edge it is docked at, the content filling the
// rest. It follows the bar when the bar is dragged to another edge.
class SpeedBarDock : public QWidget {
    Q_OBJECT
public:
    SpeedBarDock(SpeedBar* bar, QWidget* content, QWidget* parent = nullptr);

private:
    void follow();

    SpeedBar* m_bar;
    QBoxLayout* m_layout;
};
