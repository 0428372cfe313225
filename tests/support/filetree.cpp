#include "tests/support/filetree.h"

#include <QtTest>

#include <algorithm>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

QByteArray filetree::patternBytes(qint64 size) {
    QByteArray bytes(size, Qt::Uninitialized);
    for (qint64 i = 0; i < size; ++i)
        bytes[i] = static_cast<char>((i * 131 + i / 251) & 0xFF);
    return bytes;
}

void filetree::writeBytes(const QByteArray& path, const QByteArray& content) {
    const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0)
        qFatal("cannot create %s", path.constData());
    const bool whole = ::write(fd, content.constData(), static_cast<size_t>(content.size())) ==
                       static_cast<ssize_t>(content.size());
    ::close(fd);
    if (!whole)
        qFatal("cannot write %s", path.constData());
}

QByteArray filetree::readBytes(const QByteArray& path) {
    QByteArray content;
    const int fd = ::open(path.constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return content;
    char buffer[65536];
    ssize_t n = 0;
    while ((n = ::read(fd, buffer, sizeof buffer)) > 0)
        content.append(buffer, n);
    ::close(fd);
    return content;
}

bool filetree::exists(const QByteArray& path) {
    struct stat st {};
    return ::lstat(path.constData(), &st) == 0;
}

QByteArrayList filetree::entries(const QByteArray& directory) {
    QByteArrayList names;
    DIR* dir = ::opendir(directory.constData());
    if (!dir)
        return names;
    while (const dirent* entry = ::readdir(dir)) {
        const QByteArray name(entry->d_name);
        if (name != "." && name != "..")
            names.append(name);
    }
    ::closedir(dir);
    std::sort(names.begin(), names.end());
    return names;
}

unsigned filetree::modeOf(const QByteArray& path) {
    struct stat st {};
    return ::stat(path.constData(), &st) == 0 ? st.st_mode & 07777 : 0;
}

bool filetree::clearDirectory(const QByteArray& directory) {
    bool cleared = true;
    for (const QByteArray& name : entries(directory)) {
        const QByteArray path = directory + '/' + name;
        struct stat st {};
        if (::lstat(path.constData(), &st) == 0 && S_ISDIR(st.st_mode))
            cleared = clearDirectory(path) && ::rmdir(path.constData()) == 0 && cleared;
        else
            cleared = ::unlink(path.constData()) == 0 && cleared;
    }
    return cleared;
}
