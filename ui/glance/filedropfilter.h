#pragma once

#include "fileops/filedrag.h"

#include <QObject>

#include <functional>

class QWidget;

// Takes file drops on a widget: a drag whose files `accepts` takes shows the drop cursor and
// its drop calls `dropped` with them, in the order given; any other drag shows the no-drop
// cursor and drops nothing.
class FileDropFilter : public QObject {
    Q_OBJECT
public:
    using Accepts = std::function<bool(const DroppedFiles&)>;
    using Dropped = std::function<void(const DroppedFiles&)>;
    FileDropFilter(QWidget& target, Accepts accepts, Dropped dropped);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    Accepts m_accepts;
    Dropped m_dropped;
};
