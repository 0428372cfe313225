#include "ui/main/appnames.h"
#include "ui/main/tfrmmain.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    nameApplication();
    TfrmMain frmMain;
    frmMain.show();
    return QApplication::exec();
}
