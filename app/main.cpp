#include "app/approot.h"
#include "app/commandline.h"
#include "ui/main/appnames.h"
#include "ui/main/tfrmmain.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    nameApplication();
    QCoreApplication::setApplicationVersion(QStringLiteral(SONDRIX_VERSION));
    commandline::answerHelpOrVersion(argc, argv);
    commandline::preferX11Display();
    QApplication app(argc, argv);
    AppRoot root(MainServices(), commandline::pathToOpen(argc, argv));
    root.window().show();
    return QApplication::exec();
}
