#include "base/filepath.h"

#include "base/pathcodec.h"

#include <QDir>

QString GetFixedDirectory(const QString& directory) {
    if (directory.endsWith(QLatin1Char('/')))
        return directory;
    return directory + QLatin1Char('/');
}

QString directoryPart(const QString& path) {
    return path.left(path.lastIndexOf(QLatin1Char('/')) + 1);
}

QString fileNamePart(const QString& path) {
    return path.mid(path.lastIndexOf(QLatin1Char('/')) + 1);
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
