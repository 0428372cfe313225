#include "fileops/filepath.h"

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
