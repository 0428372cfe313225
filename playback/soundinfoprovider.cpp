#include "playback/soundinfoprovider.h"

#include "base/pathcodec.h"
#include "playback/soundfileinfo.h"

#include <sys/stat.h>

namespace {

constexpr int kCachedFiles = 2000;

struct Stamp {
    qint64 modified = -1; // nanoseconds; -1 when the path names nothing
    qint64 size = -1;
};

// A stat never blocks on a FIFO, so it is cheap enough for the user-interface thread.
Stamp stampOf(const QString& path) {
    struct stat st {};
    if (::stat(encodePath(path).constData(), &st) != 0)
        return {};
    return {static_cast<qint64>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec,
            static_cast<qint64>(st.st_size)};
}

} // namespace

SoundInfoProvider::SoundInfoProvider(QObject* parent) : QObject(parent), m_cache(kCachedFiles) {
    m_worker.setMaxThreadCount(1);
}

SoundInfoProvider::~SoundInfoProvider() {
    {
        QMutexLocker lock(&m_wantedMutex);
        m_wantedPath.clear();
    }
    m_worker.waitForDone();
}

std::optional<QString> SoundInfoProvider::request(const QString& path) {
    const Stamp stamp = stampOf(path);
    if (const Entry* entry = m_cache.object(path);
        entry && entry->modified == stamp.modified && entry->size == stamp.size)
        return entry->text;
    {
        QMutexLocker lock(&m_wantedMutex);
        m_wantedPath = path;
    }
    m_worker.start([this, path, stamp] {
        if (!isWanted(path))
            return;
        const QString text = soundFileInfoText(path);
        // Delivered on this object's thread; dropped with the object if it is gone by then.
        QMetaObject::invokeMethod(
            this, [this, path, stamp, text] { store(path, stamp.modified, stamp.size, text); },
            Qt::QueuedConnection);
    });
    return std::nullopt;
}

void SoundInfoProvider::store(const QString& path, qint64 modified, qint64 size,
                              const QString& text) {
    m_cache.insert(path, new Entry{modified, size, text});
    Q_EMIT infoReady(path, text);
}

bool SoundInfoProvider::isWanted(const QString& path) {
    QMutexLocker lock(&m_wantedMutex);
    return m_wantedPath == path;
}
