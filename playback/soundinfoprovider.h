#pragma once

#include <QCache>
#include <QMutex>
#include <QObject>
#include <QString>
#include <QThreadPool>

#include <optional>

// Tooltip texts for hovered files, read off the user-interface thread and kept by path while
// the file's modification time and size stay the same. Only the file last asked for is read:
// passing the mouse over many entries queues no backlog, and nothing reads a folder up front.
class SoundInfoProvider : public QObject {
    Q_OBJECT
public:
    explicit SoundInfoProvider(QObject* parent = nullptr);
    ~SoundInfoProvider() override;

    // The text at once when it is known for the file as it is now; otherwise the file is read
    // on the worker, nothing is returned, and infoReady follows.
    std::optional<QString> request(const QString& path);

Q_SIGNALS:
    void infoReady(const QString& path, const QString& text);

private:
    struct Entry {
        qint64 modified;
        qint64 size;
        QString text;
    };
    void store(const QString& path, qint64 modified, qint64 size, const QString& text);
    bool isWanted(const QString& path);

    QCache<QString, Entry> m_cache;
    // The path of the latest request, for the worker to skip requests overtaken.
    QMutex m_wantedMutex;
    QString m_wantedPath;
    QThreadPool m_worker;
};
