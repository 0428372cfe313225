#pragma once

#include <QFrame>

class QLabel;

// The status bar's two panels: panel 0 at a width the window sets, panel 1 filling the rest. The
// panels are placed by hand so that panel 0's width never holds the window at a minimum size.
class StatusPanels : public QFrame {
    Q_OBJECT
public:
    explicit StatusPanels(QWidget* parent = nullptr);

    QLabel* panel(int index) const { return index == 0 ? m_hint : m_length; }
    void setFirstPanelWidth(int width);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void placePanels();

    QLabel* m_hint;
    QLabel* m_length;
    int m_firstWidth = 250;
};
