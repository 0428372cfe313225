#include "app/approot.h"
#include "ui/dialogs/helpfile.h"
#include "ui/dialogs/helpviewer.h"
#include "ui/main/appnames.h"
#include "ui/main/tfrmmain.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    nameApplication();
    HelpViewer help(helpfile::locate(QCoreApplication::applicationDirPath()));
    MainServices services;
    services.help = &help;
    AppRoot root(services);
    root.window().show();
    return QApplication::exec();
}
