#include "browse/folderwatch.h"

#include "base/pathcodec.h"

#include <QSocketNotifier>

#include <cstring>
#include <sys/inotify.h>
#include <unistd.h>

namespace {

// Entries coming and going, and the directory itself going; not writes into files, so a
// recorder filling a file costs nothing.
constexpr uint32_t kEntryEvents = IN_CREATE | IN_DELETE | IN_MOVED_FROM | IN_MOVED_TO |
                                  IN_DELETE_SELF | IN_MOVE_SELF | IN_ONLYDIR;

} // namespace

FolderWatch::FolderWatch(QObject* parent) : QObject(parent) {
    m_quiet.setSingleShot(true);
    m_quiet.setInterval(kQuietMs);
    m_longest.setSingleShot(true);
    m_longest.setInterval(kLongestWaitMs);
    connect(&m_quiet, &QTimer::timeout, this, &FolderWatch::report);
    connect(&m_longest, &QTimer::timeout, this, &FolderWatch::report);
    m_fd = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    if (m_fd < 0)
        return; // no notification: the lists follow the disk at the next re-read only
    m_notifier = new QSocketNotifier(m_fd, QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &FolderWatch::readEvents);
}

FolderWatch::~FolderWatch() {
    if (m_fd >= 0)
        ::close(m_fd);
}

void FolderWatch::watch(const QString& directory) {
    m_quiet.stop();
    m_longest.stop();
    if (m_fd < 0)
        return;
    if (m_watch >= 0)
        inotify_rm_watch(m_fd, m_watch);
    m_watch = directory.isEmpty()
                  ? -1
                  : inotify_add_watch(m_fd, encodePath(directory).constData(), kEntryEvents);
}

void FolderWatch::readEvents() {
    alignas(inotify_event) char buffer[16384];
    bool any = false;
    for (;;) {
        const ssize_t got = ::read(m_fd, buffer, sizeof buffer);
        if (got <= 0)
            break;
        // Only the watched directory's events count; a directory left may still have some queued.
        for (ssize_t at = 0; at < got;) {
            inotify_event event{};
            std::memcpy(&event, buffer + at, sizeof event);
            any = any || (m_watch >= 0 && event.wd == m_watch);
            at += static_cast<ssize_t>(sizeof event + event.len);
        }
    }
    if (!any)
        return;
    m_quiet.start();
    if (!m_longest.isActive())
        m_longest.start();
}

void FolderWatch::report() {
    m_quiet.stop();
    m_longest.stop();
    Q_EMIT changed();
}
