#include "ui/glance/soundinfotooltips.h"

#include "playback/soundinfoprovider.h"

#include <QAbstractScrollArea>
#include <QCursor>
#include <QHelpEvent>
#include <QToolTip>

SoundInfoToolTips::SoundInfoToolTips(QAbstractScrollArea& list, SoundInfoProvider& provider,
                                     PathAt pathAt)
    : QObject(&list), m_viewport(list.viewport()), m_provider(provider),
      m_pathAt(std::move(pathAt)) {
    m_viewport->installEventFilter(this);
    connect(&provider, &SoundInfoProvider::infoReady, this, &SoundInfoToolTips::showIfStillHovered);
}

bool SoundInfoToolTips::eventFilter(QObject* watched, QEvent* event) {
    if (watched != m_viewport || event->type() != QEvent::ToolTip)
        return false;
    const auto* help = static_cast<QHelpEvent*>(event);
    const QString path = m_pathAt(help->pos());
    m_pending.clear();
    if (path.isEmpty()) {
        QToolTip::hideText();
    } else if (const std::optional<QString> text = m_provider.request(path)) {
        QToolTip::showText(help->globalPos(), *text, m_viewport);
    } else {
        m_pending = path;
    }
    return true;
}

void SoundInfoToolTips::showIfStillHovered(const QString& path, const QString& text) {
    if (path != m_pending || !m_viewport)
        return;
    m_pending.clear();
    const QPoint global = QCursor::pos();
    const QPoint local = m_viewport->mapFromGlobal(global);
    if (m_viewport->rect().contains(local) && m_pathAt(local) == path)
        QToolTip::showText(global, text, m_viewport);
}
