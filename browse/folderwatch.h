#pragma once

#include <QObject>
#include <QString>
#include <QTimer>

class QSocketNotifier;

// Tells when the entries of one directory have changed on disk: files or sub-directories
// created, removed or renamed, or the directory itself removed or moved away. A burst of changes
// is told once, when the directory has been quiet for a moment (or after a longest wait while
// the changes go on), so a script writing a thousand files costs one report, not a thousand.
// The kernel's notification is used directly, so a directory is watched by its exact bytes.
class FolderWatch : public QObject {
    Q_OBJECT
public:
    explicit FolderWatch(QObject* parent = nullptr);
    ~FolderWatch() override;

    // Watches `directory` instead of the one watched before; an empty path watches nothing.
    void watch(const QString& directory);

    static constexpr int kQuietMs = 150;
    static constexpr int kLongestWaitMs = 600;

Q_SIGNALS:
    void changed();

private:
    void readEvents();
    void report();

    int m_fd = -1;
    int m_watch = -1;
    QSocketNotifier* m_notifier = nullptr;
    QTimer m_quiet;
    QTimer m_longest;
};
