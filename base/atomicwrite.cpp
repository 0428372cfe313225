#include "base/atomicwrite.h"

#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr int kNameAttempts = 100;

QByteArray randomSuffix() {
    static constexpr char kLetters[] =
        "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    QByteArray suffix(6, '\0');
    for (char& c : suffix)
        c = kLetters[QRandomGenerator::global()->bounded(int(sizeof kLetters - 1))];
    return suffix;
}

// Opens a new file with the marker beside `target`; a new file gets the umask's permissions.
int createTemporary(const QByteArray& target, QByteArray& name) {
    for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
        name = target + kTemporaryMarker + randomSuffix();
        const int fd = ::open(name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    return -1;
}

bool writeAll(int fd, const QByteArray& content) {
    qsizetype done = 0;
    while (done < content.size()) {
        const ssize_t n = ::write(fd, content.constData() + done, size_t(content.size() - done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        done += n;
    }
    return true;
}

} // namespace

WriteOutcome writeFileAtomically(const QString& path, const QByteArray& content) {
    const QFileInfo info(path);
    const QString resolved = info.exists() ? info.canonicalFilePath() : info.absoluteFilePath();
    const QByteArray target = QFile::encodeName(resolved);
    struct stat existing {};
    const bool exists = ::stat(target.constData(), &existing) == 0;
    if (exists && !(existing.st_mode & S_IWUSR))
        return {WriteResult::CannotCreate, 0};

    QByteArray temporary;
    const int fd = createTemporary(target, temporary);
    if (fd < 0)
        return {WriteResult::CannotCreate, errno};
    errno = 0; // a write that stops short without failing names no cause
    bool done = (!exists || ::fchmod(fd, existing.st_mode & 07777) == 0) && writeAll(fd, content) &&
                ::fsync(fd) == 0;
    int error = errno;
    if (::close(fd) != 0 && done) {
        done = false;
        error = errno;
    }
    if (done && ::rename(temporary.constData(), target.constData()) != 0) {
        done = false;
        error = errno;
    }
    if (!done) {
        ::unlink(temporary.constData());
        return {WriteResult::WriteFailed, error};
    }
    return {WriteResult::Written, 0};
}
