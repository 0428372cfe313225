#include "ui/toolbar/speedbardock.h"

#include "ui/toolbar/speedbar.h"

#include <QBoxLayout>

SpeedBarDock::SpeedBarDock(SpeedBar* bar, QWidget* content, QWidget* parent)
    : QWidget(parent), m_bar(bar), m_layout(new QBoxLayout(QBoxLayout::TopToBottom, this)) {
    m_layout->setContentsMargins(0, 0, 0, 0);
    m_layout->setSpacing(0);
    m_layout->addWidget(bar);
    m_layout->addWidget(content, 1);
    connect(bar, &SpeedBar::alignChanged, this, &SpeedBarDock::follow);
    follow();
}

void SpeedBarDock::follow() {
    // The bar is the first widget, so the direction puts it at its edge; in stored order.
    constexpr QBoxLayout::Direction kDirections[] = {
        QBoxLayout::TopToBottom, QBoxLayout::BottomToTop, QBoxLayout::LeftToRight,
        QBoxLayout::RightToLeft};
    m_layout->setDirection(kDirections[static_cast<int>(m_bar->layout().align) - 1]);
}
