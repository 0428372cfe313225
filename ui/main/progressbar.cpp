#include "ui/main/progressbar.h"

#include "ui/waveform/waveformpainter.h"

#include <QMouseEvent>
#include <QPainter>

#include <algorithm>

ProgressBar::ProgressBar(QWidget* parent) : QProgressBar(parent) {
    connect(&m_overview, &WaveformOverview::peaksChanged, this, qOverload<>(&QWidget::update));
}

void ProgressBar::showOverview(const QString& fileName) {
    if (fileName.isEmpty()) {
        m_overview.clear();
        return;
    }
    // One column per pixel at the bar's width now; the painter folds or widens them later.
    m_overview.load(fileName, std::max(1, contentsRect().width()));
}

void ProgressBar::mousePressEvent(QMouseEvent* event) {
    Q_EMIT pressed(event->button(), event->modifiers(), event->position().toPoint().x());
}

void ProgressBar::paintEvent(QPaintEvent* event) {
    QProgressBar::paintEvent(event);
    QPainter painter(this);
    const double span = maximum() - minimum();
    const double played = span > 0 ? (value() - minimum()) / span : 0.0;
    paintWaveformOverview(painter, contentsRect().adjusted(2, 2, -2, -2), m_overview.peaks(),
                          palette(), isEnabled(), played);
}
