#pragma once

#include <QString>

// The program's command line: `sondrix [--help] [--version] [PATH]`.
namespace commandline {

// Before the application exists: --help and --version print and end the process with status 0,
// so they need no display.
void answerHelpOrVersion(int argc, char* argv[]);

// After the application has taken its own options (such as -platform) out of argv: the folder to
// show, or the file to select in its folder; empty for the stored folder. The path keeps the
// bytes it was given. An unknown option prints the usage and ends the process with status 1.
QString pathToOpen(int argc, char* argv[]);

// Where a desktop offers both Wayland and X11 and the user chose no platform, the program runs on
// X11: there a window can learn and restore its position and the toolbar can be customised by
// drag. Must run before the application is created.
void preferX11Display();

} // namespace commandline
