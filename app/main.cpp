#include "app/appinfo.h"
#include "ui/main/tfrmmain.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Sondrix"));
    QApplication::setApplicationDisplayName(QLatin1String(appinfo::kApplicationTitle));
    QApplication::setDesktopFileName(QStringLiteral("sondrix"));
    TfrmMain frmMain;
    frmMain.show();
    return QApplication::exec();
}
