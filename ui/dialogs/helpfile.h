#pragma once

#include <QString>
#include <QStringList>

namespace helpfile {

// Where the help file may stand, in the order they are tried: next to the program (the build
// tree), then in ../share/sondrix/ beside the program's bin/ directory (an installed or packaged
// program under any prefix).
QStringList candidates(const QString& programDirectory);

// The first candidate that exists, or the first candidate when none does, so that the viewer
// can name the file it missed.
QString locate(const QString& programDirectory);

} // namespace helpfile
