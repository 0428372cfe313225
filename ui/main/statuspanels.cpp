#include "ui/main/statuspanels.h"

#include <QLabel>

StatusPanels::StatusPanels(QWidget* parent)
    : QFrame(parent), m_hint(new QLabel(this)), m_length(new QLabel(this)) {
    setFixedHeight(19);
    for (QLabel* label : {m_hint, m_length})
        label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    m_length->setAlignment(Qt::AlignCenter);
}

void StatusPanels::setFirstPanelWidth(int width) {
    m_firstWidth = width;
    placePanels();
}

void StatusPanels::resizeEvent(QResizeEvent* event) {
    QFrame::resizeEvent(event);
    placePanels();
}

void StatusPanels::placePanels() {
    const int first = std::max(0, m_firstWidth);
    m_hint->setGeometry(0, 1, first, height() - 2);
    m_length->setGeometry(first + 2, 1, std::max(0, width() - first - 2), height() - 2);
}
