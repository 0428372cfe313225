#include "browse/folderread.h"

#include <QDeadlineTimer>
#include <QMutex>
#include <QThreadPool>
#include <QWaitCondition>

#include <utility>

// Shared by the worker and the interface thread; the worker holds it past a cancel.
struct FolderRead::State {
    std::atomic<bool> cancelled{false};
    mutable QMutex mutex;
    QWaitCondition ended;
    bool finished = false;
    QStringList found;
    FolderListing listing;
};

namespace {

// Names are handed over in batches, so the worker seldom takes the lock.
constexpr qsizetype kBatch = 256;

} // namespace

FolderRead::FolderRead(const QString& directory) : m_state(std::make_shared<State>()) {
    QThreadPool::globalInstance()->start([state = m_state, directory] {
        QStringList batch;
        const auto handOver = [&] {
            const QMutexLocker lock(&state->mutex);
            state->found += batch;
            batch.clear();
        };
        FolderListing listing = readFolder(
            directory,
            [&](const QString& name) {
                batch.append(name);
                if (batch.size() >= kBatch)
                    handOver();
            },
            &state->cancelled);
        handOver();
        const QMutexLocker lock(&state->mutex);
        state->listing = std::move(listing);
        state->finished = true;
        state->ended.wakeAll();
    });
}

FolderRead::~FolderRead() {
    m_state->cancelled = true;
}

bool FolderRead::waitFinished(int ms) {
    const QMutexLocker lock(&m_state->mutex);
    const QDeadlineTimer deadline(ms < 0 ? QDeadlineTimer(QDeadlineTimer::Forever)
                                         : QDeadlineTimer(ms));
    while (!m_state->finished)
        if (!m_state->ended.wait(&m_state->mutex, deadline))
            break;
    return m_state->finished;
}

bool FolderRead::isFinished() const {
    const QMutexLocker lock(&m_state->mutex);
    return m_state->finished;
}

QStringList FolderRead::takeFound() {
    const QMutexLocker lock(&m_state->mutex);
    return std::exchange(m_state->found, {});
}

FolderListing FolderRead::takeListing() {
    const QMutexLocker lock(&m_state->mutex);
    return std::exchange(m_state->listing, {});
}
