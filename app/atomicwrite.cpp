#include "app/atomicwrite.h"

#include <QFileInfo>
#include <QSaveFile>

namespace {

bool isMarkedReadOnly(const QString& path) {
    const QFileInfo target(QFileInfo(path).canonicalFilePath());
    return target.exists() && !(target.permissions() & QFileDevice::WriteOwner);
}

} // namespace

WriteResult writeFileAtomically(const QString& path, const QByteArray& content) {
    if (isMarkedReadOnly(path))
        return WriteResult::CannotCreate;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return WriteResult::CannotCreate;
    if (file.write(content) != content.size()) {
        file.cancelWriting();
        return WriteResult::WriteFailed;
    }
    // commit() flushes, syncs and renames; on failure it removes the temporary file.
    return file.commit() ? WriteResult::Written : WriteResult::WriteFailed;
}
