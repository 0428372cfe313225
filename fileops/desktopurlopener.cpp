#include "fileops/desktopurlopener.h"

#include <QDesktopServices>

Launcher::UrlOpener desktopUrlOpener() {
    return [](const QUrl& url) { return QDesktopServices::openUrl(url); };
}
