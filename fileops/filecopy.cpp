#include "fileops/filecopy.h"

#include "base/filehandle.h"
#include "base/filepath.h"
#include "base/sxerror.h"
#include "fileops/filerename.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <optional>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

using Status = CopyOutcome::Status;

QString readError(int error) {
    return withSystemCause(QStringLiteral("Stream read error"), error);
}

QString writeError(int error) {
    return withSystemCause(QStringLiteral("Stream write error"), error);
}

QString cannotCreate(const QByteArray& path, int error = 0) {
    return withSystemCause(QStringLiteral("Cannot create file %1").arg(displayPath(path)), error);
}

// Moves exactly `size` bytes through `step` (a read or a write at an offset into the chunk),
// going on after a partial transfer or an interruption. Empty when done; else the system's error
// number, or 0 when the file ended first.
template <typename Step> std::optional<int> transferWhole(size_t size, Step step) {
    size_t done = 0;
    while (done < size) {
        const ssize_t n = step(done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return n < 0 ? errno : 0;
        done += static_cast<size_t>(n);
    }
    return std::nullopt;
}

// Copies `length` bytes in order; empty on success, else the failure text.
QString copyContents(int from, int to, qint64 length) {
    std::vector<char> buffer(static_cast<size_t>(std::min(length, kCopyChunkSize)));
    for (qint64 left = length; left > 0;) {
        const auto chunk = static_cast<size_t>(std::min(left, kCopyChunkSize));
        char* data = buffer.data();
        if (const auto error = transferWhole(
                chunk, [&](size_t done) { return ::read(from, data + done, chunk - done); }))
            return readError(*error);
        if (const auto error = transferWhole(
                chunk, [&](size_t done) { return ::write(to, data + done, chunk - done); }))
            return writeError(*error);
        left -= static_cast<qint64>(chunk);
    }
    return {};
}

mode_t copyMode() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return (0666 & ~mask) | S_IRUSR | S_IWUSR;
}

// An existing destination may be replaced only when it is a regular file the user may write,
// and not the source itself reached by another path.
bool isReplaceable(const QByteArray& path, const struct stat& existing, const struct stat& source) {
    const bool sameFile = existing.st_dev == source.st_dev && existing.st_ino == source.st_ino;
    return S_ISREG(existing.st_mode) && !sameFile && (existing.st_mode & S_IWUSR) &&
           ::access(path.constData(), W_OK) == 0;
}

// The path that the finished copy is renamed to: a symbolic link keeps naming its file.
QByteArray resolvedTarget(const QByteArray& destPath) {
    char resolved[PATH_MAX];
    return ::realpath(destPath.constData(), resolved) ? QByteArray(resolved) : destPath;
}

bool syncDirectory(const QByteArray& directory) {
    FileHandle dir(::open(directory.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    // Some file systems cannot flush a directory at all; their renames are as durable as it gets.
    return dir.valid() && (::fsync(dir.get()) == 0 || errno == EINVAL) && dir.close();
}

// Named temporary copies begin with this marker, which no person types; only such files are
// ever removed as leftovers.
constexpr char kTempMarker[] = ".sondrix-copy-"; // hidden, so the file list never shows it
constexpr char kTempPattern[] = ".sondrix-copy-XXXXXX";

// The file the bytes go to until they are complete: nameless where the file system allows it,
// so that a copy killed half-way leaves nothing behind; else a named temporary file, locked
// while this copy owns it.
struct PendingCopy {
    FileHandle file{-1};
    QByteArray tempPath; // empty for a nameless file
    int error = 0;       // why neither could be made
};

} // namespace

void removeStaleCopies(const QByteArray& directory) {
    DIR* dir = ::opendir(directory.constData());
    if (!dir)
        return;
    const QByteArray marker(kTempMarker);
    while (const dirent* entry = ::readdir(dir)) {
        const QByteArray name(entry->d_name);
        if (!name.startsWith(marker) || name.size() != qsizetype(sizeof kTempPattern) - 1)
            continue;
        FileHandle file(::openat(::dirfd(dir), entry->d_name,
                                 O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
        struct stat st {};
        if (file.valid() && ::fstat(file.get(), &st) == 0 && S_ISREG(st.st_mode) &&
            ::flock(file.get(), LOCK_EX | LOCK_NB) == 0)
            ::unlinkat(::dirfd(dir), entry->d_name, 0);
    }
    ::closedir(dir);
}

namespace {

PendingCopy createPendingCopy(const QByteArray& directory) {
    const int nameless =
        ::open(directory.constData(), O_TMPFILE | O_RDWR | O_CLOEXEC, S_IRUSR | S_IWUSR);
    if (nameless >= 0 || (errno != EOPNOTSUPP && errno != EISDIR))
        return {FileHandle(nameless), {}, nameless >= 0 ? 0 : errno};
    removeStaleCopies(directory);
    QByteArray temp = directory + kTempPattern;
    FileHandle file(::mkostemp(temp.data(), O_CLOEXEC));
    if (!file.valid())
        return {FileHandle(-1), {}, errno};
    if (::flock(file.get(), LOCK_EX) != 0) {
        const int error = errno;
        ::unlink(temp.constData());
        return {FileHandle(-1), {}, error};
    }
    return {std::move(file), temp, 0};
}

// Gives the nameless file the name `target`, which must be free. Through /proc where it is
// mounted; AT_EMPTY_PATH needs a privilege that ordinary users may lack.
bool linkNameless(int fd, const QByteArray& target) {
    const QByteArray procPath = "/proc/self/fd/" + QByteArray::number(fd);
    if (::linkat(AT_FDCWD, procPath.constData(), AT_FDCWD, target.constData(), AT_SYMLINK_FOLLOW) ==
        0)
        return true;
    return errno == ENOENT && ::linkat(fd, "", AT_FDCWD, target.constData(), AT_EMPTY_PATH) == 0;
}

// Puts the finished nameless copy at `target`. A new file is linked under its name and never
// replaces one made meanwhile; a replacement gets a temporary name for the moment of the rename.
bool placeNameless(int fd, const QByteArray& target, bool replace) {
    if (!replace)
        return linkNameless(fd, target);
    for (int attempt = 0; attempt < 100; ++attempt) {
        QByteArray temp = directoryPart(target) + kTempPattern;
        FileHandle reserved(::mkstemp(temp.data())); // a free name, given up again at once
        if (!reserved.valid() || ::unlink(temp.constData()) != 0)
            return false;
        if (linkNameless(fd, temp)) {
            if (::rename(temp.constData(), target.constData()) == 0)
                return true;
            ::unlink(temp.constData());
            return false;
        }
        if (errno != EEXIST)
            return false;
    }
    return false;
}

// Writes the copy and puts it at `target`; empty on success, else the failure text.
QString writeAndPlace(int source, const struct stat& sourceStat, const QByteArray& target,
                      const QByteArray& destPath, bool replace) {
    const QByteArray directory = directoryPart(target);
    PendingCopy pending = createPendingCopy(directory);
    if (!pending.file.valid())
        return cannotCreate(destPath, pending.error);
    const int dest = pending.file.get();
    QString error = copyContents(source, dest, sourceStat.st_size);
    // A file system without permission bits refuses this; the copy is still writable there.
    if (error.isEmpty() && ::fchmod(dest, copyMode()) != 0 && errno != EPERM)
        error = writeError(errno);
    if (error.isEmpty() && ::fsync(dest) != 0)
        error = writeError(errno);
    if (error.isEmpty()) {
        const bool placed =
            pending.tempPath.isEmpty()
                ? placeNameless(dest, target, replace)
                : (replace ? ::rename(pending.tempPath.constData(), target.constData()) == 0
                           : renameNoReplace(pending.tempPath, target));
        if (!placed)
            error = cannotCreate(destPath, errno);
    }
    if (!error.isEmpty() && !pending.tempPath.isEmpty())
        ::unlink(pending.tempPath.constData());
    // Closed only now: the lock on a named copy keeps other copies from taking it for a
    // leftover. The flush above has already reported any delayed write error.
    pending.file.close();
    if (!error.isEmpty())
        return error;
    return syncDirectory(directory) ? QString() : writeError(errno);
}

} // namespace

CopyOutcome copyFileInto(const QByteArray& sourcePath, const QByteArray& destDirectory) {
    const QByteArray directory = GetFixedDirectory(destDirectory);
    if (directoryPart(sourcePath) == directory)
        return {Status::SameDirectory, {}};
    const QByteArray destPath = directory + fileNamePart(sourcePath);

    // Non-blocking, so that a FIFO under the name is refused at once instead of waiting.
    FileHandle source(::open(sourcePath.constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY));
    struct stat sourceStat {};
    if (!source.valid() || ::fstat(source.get(), &sourceStat) != 0 || !S_ISREG(sourceStat.st_mode))
        return {Status::SourceUnreadable,
                QStringLiteral("Cannot open file %1").arg(displayPath(sourcePath))};

    QByteArray target = destPath;
    struct stat existing {};
    const bool replace = ::stat(destPath.constData(), &existing) == 0;
    if (replace) {
        if (!isReplaceable(destPath, existing, sourceStat))
            return {Status::Failed, cannotCreate(destPath)};
        target = resolvedTarget(destPath);
    } else if (errno != ENOENT) {
        return {Status::Failed, cannotCreate(destPath, errno)};
    }

    const QString error = writeAndPlace(source.get(), sourceStat, target, destPath, replace);
    if (!error.isEmpty())
        return {Status::Failed, error};
    return {Status::Copied, {}};
}
