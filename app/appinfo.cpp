#include "app/appinfo.h"

#include "fileops/filepath.h"

#include <QDir>

QString appinfo::homeDirectory() {
    return GetFixedDirectory(QDir::homePath());
}
