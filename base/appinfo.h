#pragma once

#include <QString>

namespace appinfo {

inline constexpr char kApplicationTitle[] = "Sondrix 3";
inline constexpr char kWindowCaption[] = "Sondrix";
inline constexpr char kHelpFileName[] = "Sx30.html";

// Where the program's remembered directories start: the user's home directory, with a trailing
// "/". An installed program's own folder is neither the user's nor writable by the user.
QString homeDirectory();

} // namespace appinfo
