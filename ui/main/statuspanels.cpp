#include "ui/main/statuspanels.h"

#include <QLabel>
#include <QStatusTipEvent>

StatusPanels::StatusPanels(QWidget* parent)
    : QFrame(parent), m_hint(new QLabel(this)), m_length(new QLabel(this)) {
    setFixedHeight(19);
    for (QLabel* label : {m_hint, m_length})
        label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    m_length->setAlignment(Qt::AlignCenter);
}

bool StatusPanels::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::StatusTip) {
        showHint(static_cast<QStatusTipEvent*>(event)->tip());
        return true;
    }
    if (event->type() == QEvent::Resize && watched == window()) {
        m_firstWidth = window()->frameGeometry().width() - 100;
        placePanels();
    }
    return QFrame::eventFilter(watched, event);
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

void StatusPanels::showHint(const QString& hint) {
    m_hint->setText(hint.isEmpty() ? m_outputNotice : hint);
}

void StatusPanels::showLength(const QString& text) {
    m_length->setText(text);
    m_length->setAccessibleName(text);
}

// The message box told the whole of it once; the panel keeps a short notice, the whole as its
// tooltip.
void StatusPanels::showOutputProblem(const QString& problem) {
    const QString notice = problem.isEmpty() ? QString() : QStringLiteral("No sound output");
    if (notice == m_outputNotice && m_hint->toolTip() == problem)
        return;
    if (m_hint->text() == m_outputNotice)
        m_hint->setText(notice);
    m_outputNotice = notice;
    m_hint->setToolTip(problem);
}
