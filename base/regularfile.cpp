#include "base/regularfile.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>

FileHandle openRegularFile(const QByteArray& nativePath, struct stat* status) {
    FileHandle file(::open(nativePath.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
    if (!file.valid())
        return file;
    struct stat st {};
    if (!status)
        status = &st;
    if (::fstat(file.get(), status) != 0 || !S_ISREG(status->st_mode)) {
        file.close();
        errno = EINVAL;
        return file;
    }
    // Reads of a regular file do not block anyway; later readers expect an ordinary descriptor.
    ::fcntl(file.get(), F_SETFL, ::fcntl(file.get(), F_GETFL) & ~O_NONBLOCK);
    return file;
}

RegularFileContent readRegularFile(const QByteArray& nativePath, qint64 maxBytes) {
    struct stat st {};
    FileHandle file = openRegularFile(nativePath, &st);
    if (!file.valid())
        return {errno == ENOENT ? ReadStatus::Missing : ReadStatus::Refused, {}};
    // A huge file would hold the caller and its memory for as long as the read takes.
    const RegularFileContent tooLarge{ReadStatus::Refused, {}, true};
    if (st.st_size > maxBytes)
        return tooLarge;
    QByteArray bytes;
    char buffer[65536];
    for (;;) {
        const ssize_t n = ::read(file.get(), buffer, sizeof buffer);
        if (n == 0)
            return {ReadStatus::Read, bytes};
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return {};
        if (bytes.size() + n > maxBytes)
            return tooLarge; // it grew while it was read
        bytes.append(buffer, n);
    }
}
