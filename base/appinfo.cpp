#include "base/appinfo.h"

#include "base/filepath.h"

#include <QDir>

QString appinfo::homeDirectory() {
    return GetFixedDirectory(QDir::homePath());
}
