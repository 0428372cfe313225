#include "app/approot.h"
#include "ui/main/appnames.h"
#include "ui/main/tfrmmain.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    nameApplication();
    AppRoot root;
    root.window().show();
    return QApplication::exec();
}
