#include "fileops/desktopurlopener.h"

#include <QDesktopServices>

TLauncher::UrlOpener desktopUrlOpener() {
    return [](const QUrl& url) { return QDesktopServices::openUrl(url); };
}
