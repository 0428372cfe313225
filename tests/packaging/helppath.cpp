#include "ui/dialogs/helpfile.h"

#include <QCoreApplication>
#include <QTextStream>

// Prints where a program placed in this executable's directory finds its help file; the
// packaging test puts it beside the packaged program.
int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    QTextStream(stdout) << helpfile::locate(QCoreApplication::applicationDirPath()) << '\n';
    return 0;
}
