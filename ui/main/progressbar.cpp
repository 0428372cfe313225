#include "ui/main/progressbar.h"

#include <QMouseEvent>

void ProgressBar::mousePressEvent(QMouseEvent* event) {
    Q_EMIT pressed(event->button(), event->modifiers(), event->position().toPoint().x());
}
