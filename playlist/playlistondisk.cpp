#include "playlist/playlistondisk.h"

#include "base/regularfile.h"
#include "playlist/playlistfile.h"

#include <QCryptographicHash>
#include <QFile>

namespace {

QByteArray digestOf(const QByteArray& text) {
    return QCryptographicHash::hash(text, QCryptographicHash::Sha256);
}

} // namespace

void PlaylistOnDisk::remember(const QByteArray& text) {
    m_digest = digestOf(text);
}

bool PlaylistOnDisk::changedSince(const QString& fileName) const {
    const auto now = readRegularFile(QFile::encodeName(fileName), kMaxPlaylistBytes);
    if (now.status == ReadStatus::Missing)
        return false;
    return now.status != ReadStatus::Read || digestOf(now.bytes) != m_digest;
}
