#include "ui/glance/filedropfilter.h"

#include <QDropEvent>
#include <QMimeData>
#include <QWidget>

FileDropFilter::FileDropFilter(QWidget& target, Accepts accepts, Dropped dropped)
    : QObject(&target), m_accepts(std::move(accepts)), m_dropped(std::move(dropped)) {
    target.setAcceptDrops(true);
    target.installEventFilter(this);
}

bool FileDropFilter::eventFilter(QObject*, QEvent* event) {
    const QEvent::Type type = event->type();
    if (type != QEvent::DragEnter && type != QEvent::DragMove && type != QEvent::Drop)
        return false;
    auto* drop = static_cast<QDropEvent*>(event);
    const DroppedFiles files = sortDroppedUrls(drop->mimeData()->urls());
    if (!m_accepts(files)) {
        drop->ignore(); // the no-drop cursor
        return true;
    }
    drop->setDropAction(Qt::CopyAction);
    drop->accept();
    if (type == QEvent::Drop)
        m_dropped(files);
    return true;
}
