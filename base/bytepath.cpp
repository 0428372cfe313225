#include "base/bytepath.h"

#include <QFile>

QByteArray bytepath::fixedDirectory(const QByteArray& directory) {
    return directory.endsWith('/') ? directory : directory + '/';
}

QByteArray bytepath::directoryPart(const QByteArray& path) {
    return path.left(path.lastIndexOf('/') + 1);
}

QByteArray bytepath::fileNamePart(const QByteArray& path) {
    return path.mid(path.lastIndexOf('/') + 1);
}

QString bytepath::display(const QByteArray& path) {
    return QFile::decodeName(path);
}
