#include "fileops/filecopy.h"

#include "fileops/bytepath.h"
#include "fileops/filehandle.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

using Status = CopyOutcome::Status;

// The failure text, followed by what the system says about it where it said something.
QString withCause(const QString& text, int error) {
    if (error == 0)
        return text;
    return QStringLiteral("%1: %2").arg(text, QString::fromLocal8Bit(::strerror(error)));
}

QString readError(int error) {
    return withCause(QStringLiteral("Stream read error"), error);
}

QString writeError(int error) {
    return withCause(QStringLiteral("Stream write error"), error);
}

QString cannotCreate(const QByteArray& path, int error = 0) {
    return withCause(QStringLiteral("Cannot create file %1").arg(bytepath::display(path)), error);
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

// Writes the temporary copy and renames it to `target`; empty on success, else the failure text.
QString writeAndPlace(int source, const struct stat& sourceStat, const QByteArray& target,
                      const QByteArray& destPath) {
    const QByteArray directory = bytepath::directoryPart(target);
    QByteArray temp = directory + ".sondrix-copy-XXXXXX"; // hidden, so the file list never shows it
    FileHandle dest(::mkostemp(temp.data(), O_CLOEXEC));
    if (!dest.valid())
        return cannotCreate(destPath, errno);
    QString error = copyContents(source, dest.get(), sourceStat.st_size);
    // A file system without permission bits refuses this; the copy is still writable there.
    if (error.isEmpty() && ::fchmod(dest.get(), copyMode()) != 0 && errno != EPERM)
        error = writeError(errno);
    if (error.isEmpty() && (::fsync(dest.get()) != 0 || !dest.close()))
        error = writeError(errno);
    if (error.isEmpty() && ::rename(temp.constData(), target.constData()) != 0)
        error = cannotCreate(destPath, errno);
    if (!error.isEmpty()) {
        ::unlink(temp.constData());
        return error;
    }
    return syncDirectory(directory) ? QString() : writeError(errno);
}

} // namespace

CopyOutcome copyFileInto(const QByteArray& sourcePath, const QByteArray& destDirectory) {
    const QByteArray directory = bytepath::fixedDirectory(destDirectory);
    if (bytepath::directoryPart(sourcePath) == directory)
        return {Status::SameDirectory, {}};
    const QByteArray destPath = directory + bytepath::fileNamePart(sourcePath);

    // Non-blocking, so that a FIFO under the name is refused at once instead of waiting.
    FileHandle source(::open(sourcePath.constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY));
    struct stat sourceStat {};
    if (!source.valid() || ::fstat(source.get(), &sourceStat) != 0 || !S_ISREG(sourceStat.st_mode))
        return {Status::SourceUnreadable,
                QStringLiteral("Cannot open file %1").arg(bytepath::display(sourcePath))};

    QByteArray target = destPath;
    struct stat existing {};
    if (::stat(destPath.constData(), &existing) == 0) {
        if (!isReplaceable(destPath, existing, sourceStat))
            return {Status::Failed, cannotCreate(destPath)};
        target = resolvedTarget(destPath);
    } else if (errno != ENOENT) {
        return {Status::Failed, cannotCreate(destPath, errno)};
    }

    const QString error = writeAndPlace(source.get(), sourceStat, target, destPath);
    if (!error.isEmpty())
        return {Status::Failed, error};
    return {Status::Copied, {}};
}
