#include "fileops/shownname.h"

#include <QFile>

#include <dirent.h>

QByteArray nameShownAs(const QByteArray& directory, const QString& shown) {
    const QByteArray encoded = QFile::encodeName(shown);
    DIR* dir = ::opendir(directory.constData());
    if (!dir)
        return encoded;
    QByteArray found;
    int matches = 0;
    while (const dirent* entry = ::readdir(dir)) {
        const QByteArray name(entry->d_name);
        if (QFile::decodeName(name) == shown && ++matches == 1)
            found = name;
    }
    ::closedir(dir);
    return matches == 1 ? found : encoded;
}
