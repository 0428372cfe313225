#include "ui/dialogs/helpfile.h"

#include "base/appinfo.h"

#include <QDir>
#include <QFileInfo>

QStringList helpfile::candidates(const QString& programDirectory) {
    const QDir program(programDirectory);
    const QString name = QLatin1String(appinfo::kHelpFileName);
    return {QDir::cleanPath(program.filePath(name)),
            QDir::cleanPath(program.filePath(QStringLiteral("../share/sondrix/") + name))};
}

QString helpfile::locate(const QString& programDirectory) {
    const QStringList paths = candidates(programDirectory);
    for (const QString& path : paths)
        if (QFileInfo::exists(path))
            return path;
    return paths.first();
}
