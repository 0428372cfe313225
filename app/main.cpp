#include "app/appinfo.h"
#include "ui/dialogs/helpfile.h"
#include "ui/dialogs/helpviewer.h"
#include "ui/main/tfrmmain.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Sondrix"));
    QApplication::setApplicationDisplayName(QLatin1String(appinfo::kApplicationTitle));
    QApplication::setDesktopFileName(QStringLiteral("sondrix"));
    HelpViewer help(helpfile::locate(appinfo::programDirectory()));
    MainServices services;
    services.help = &help;
    TfrmMain frmMain(services);
    frmMain.show();
    return QApplication::exec();
}
