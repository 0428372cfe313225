#include "base/filepath.h"

#include "base/pathcodec.h"

#include <QDir>
#include <QFile>

namespace {

// One rule for text and bytes: `separator` is '/' in the path's own character type.
template <typename Path, typename Char> Path fixedDirectory(const Path& directory, Char separator) {
    return directory.endsWith(separator) ? directory : directory + separator;
}

template <typename Path, typename Char> Path upToLastSeparator(const Path& path, Char separator) {
    return path.left(path.lastIndexOf(separator) + 1);
}

template <typename Path, typename Char> Path afterLastSeparator(const Path& path, Char separator) {
    return path.mid(path.lastIndexOf(separator) + 1);
}

} // namespace

QString GetFixedDirectory(const QString& directory) {
    return fixedDirectory(directory, QLatin1Char('/'));
}

QByteArray GetFixedDirectory(const QByteArray& directory) {
    return fixedDirectory(directory, '/');
}

QString directoryPart(const QString& path) {
    return upToLastSeparator(path, QLatin1Char('/'));
}

QByteArray directoryPart(const QByteArray& path) {
    return upToLastSeparator(path, '/');
}

QString fileNamePart(const QString& path) {
    return afterLastSeparator(path, QLatin1Char('/'));
}

QByteArray fileNamePart(const QByteArray& path) {
    return afterLastSeparator(path, '/');
}

QString displayPath(const QByteArray& path) {
    return QFile::decodeName(path);
}

QString nearestExistingDirectory(const QString& directory) {
    QString candidate = QDir::cleanPath(directory);
    if (!candidate.startsWith(QLatin1Char('/')))
        return QDir::homePath();
    while (!isExistingDirectory(candidate)) {
        if (candidate == QLatin1String("/"))
            return QDir::homePath();
        candidate = directoryPart(candidate);
        if (candidate.size() > 1)
            candidate.chop(1);
    }
    return candidate;
}
