#pragma once

#include <QString>

namespace appinfo {

inline constexpr char kApplicationTitle[] = "Sondrix 3";
inline constexpr char kWindowCaption[] = "Sondrix";
inline constexpr char kHelpFileName[] = "Sx30.html";

// The directory of the running program, with a trailing "/".
QString programDirectory();

} // namespace appinfo
