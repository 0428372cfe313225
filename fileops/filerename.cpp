#include "fileops/filerename.h"

#include "base/filepath.h"

#include <cerrno>
#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

bool isSameFile(const QByteArray& a, const QByteArray& b) {
    struct stat sa {};
    struct stat sb {};
    return ::lstat(a.constData(), &sa) == 0 && ::lstat(b.constData(), &sb) == 0 &&
           sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
}

// Only a change of letter case of the same file may pass a name that is "taken".
bool isCaseChangeOfSameFile(const QByteArray& from, const QByteArray& to) {
    return from != to && from.compare(to, Qt::CaseInsensitive) == 0 && isSameFile(from, to);
}

bool isUnsupported(int error) {
    return error == EINVAL || error == ENOSYS || error == EOPNOTSUPP || error == EPERM;
}

bool linkThenUnlink(const QByteArray& from, const QByteArray& to) {
    if (::unlink(from.constData()) == 0)
        return true;
    ::unlink(to.constData());
    return false;
}

} // namespace

bool renameNoReplace(const QByteArray& from, const QByteArray& to) {
    // A file renamed to its own name is done, as the system's own rename has it.
    if (from == to) {
        struct stat st {};
        return ::lstat(from.constData(), &st) == 0;
    }
    if (::renameat2(AT_FDCWD, from.constData(), AT_FDCWD, to.constData(), RENAME_NOREPLACE) == 0)
        return true;
    if (errno == EEXIST)
        return isCaseChangeOfSameFile(from, to) && ::rename(from.constData(), to.constData()) == 0;
    if (!isUnsupported(errno))
        return false;
    if (::link(from.constData(), to.constData()) == 0)
        return linkThenUnlink(from, to);
    if (errno == EEXIST)
        return isCaseChangeOfSameFile(from, to) && ::rename(from.constData(), to.constData()) == 0;
    if (!isUnsupported(errno))
        return false;
    struct stat existing {};
    if (::lstat(to.constData(), &existing) == 0 || errno != ENOENT)
        return false;
    return ::rename(from.constData(), to.constData()) == 0;
}

QString invalidNameReason(const QByteArray& name) {
    if (name.isEmpty())
        return QStringLiteral("The new name is empty.");
    if (name.contains('/'))
        return QStringLiteral("A name cannot contain \"/\".");
    if (name.contains('\0'))
        return QStringLiteral("A name cannot contain a NUL character.");
    if (name.startsWith('.'))
        return QStringLiteral("A name cannot begin with \".\".");
    return {};
}

QByteArray renamedWavPath(const QByteArray& oldPath, const QByteArray& newName) {
    return directoryPart(oldPath) + newName + ".wav";
}

bool renameWav(const QByteArray& oldPath, const QByteArray& newName) {
    return invalidNameReason(newName).isEmpty() &&
           renameNoReplace(oldPath, renamedWavPath(oldPath, newName));
}
