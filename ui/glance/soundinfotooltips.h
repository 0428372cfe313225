#pragma once

#include <QObject>
#include <QPointer>
#include <QString>

#include <functional>

class QAbstractScrollArea;
class SoundInfoProvider;
class QPoint;
class QWidget;

// Shows the sound file tooltip over a list: at once when the text is known, otherwise as soon
// as the worker has read the file, if the pointer is still over the same file by then. The
// list says which file is at a point of its viewport (an empty path: none).
class SoundInfoToolTips : public QObject {
    Q_OBJECT
public:
    using PathAt = std::function<QString(const QPoint& viewportPosition)>;
    SoundInfoToolTips(QAbstractScrollArea& list, SoundInfoProvider& provider, PathAt pathAt);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void showIfStillHovered(const QString& path, const QString& text);

    QPointer<QWidget> m_viewport;
    SoundInfoProvider& m_provider;
    PathAt m_pathAt;
    QString m_pending; // the file whose text the worker is reading for the tooltip
};
