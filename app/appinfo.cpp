#include "app/appinfo.h"

#include "fileops/filepath.h"

#include <QCoreApplication>

QString appinfo::programDirectory() {
    return GetFixedDirectory(QCoreApplication::applicationDirPath());
}
