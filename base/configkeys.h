#pragma once

// Every section and key of the program's own in Sondrix.ini, with the defaults the readers use.
namespace cfg {

inline constexpr char kPreferences[] = "Preferences";
inline constexpr char kSingleClick[] = "SingleClick";
inline constexpr int kSingleClickDefault = 0;
inline constexpr char kConfirmDelete[] = "ConfirmDelete";
inline constexpr bool kConfirmDeleteDefault = true;
inline constexpr char kShowPath[] = "ShowPath";
inline constexpr bool kShowPathDefault = false;
inline constexpr char kAutoPlaylist[] = "AutoPlaylist";
inline constexpr bool kAutoPlaylistDefault = true;
inline constexpr char kEditor[] = "Editor";

// Besides these keys the section holds one key per mounted volume: its mount path, which starts
// with "/" and so never collides with the names below.
inline constexpr char kDirectories[] = "Directories";
// Each of these defaults to the user's home directory (appinfo::homeDirectory()).
inline constexpr char kStartup[] = "Startup";
inline constexpr char kLastOpen[] = "LastOpen";
inline constexpr char kLastSave[] = "LastSave";
inline constexpr char kLastCopy[] = "LastCopy"; // default: the user's home directory
inline constexpr char kLastMove[] = "LastMove"; // default: the user's home directory

inline constexpr char kSpeedbar[] = "Speedbar";
inline constexpr char kPlaylist[] = "Playlist";
inline constexpr char kVisible[] = "Visible";
inline constexpr bool kVisibleDefault = true;

// The toolbar layout, in a section named after the window's class and the bar's name.
inline constexpr char kLayoutPosition[] = "Position";
inline constexpr int kLayoutPositionDefault = 1;
inline constexpr char kLayoutWidth[] = "Width";
inline constexpr char kLayoutVersion[] = "Version";
inline constexpr char kLayoutBtnWidth[] = "BtnWidth";
inline constexpr char kLayoutBtnHeight[] = "BtnHeight";
inline constexpr char kLayoutButton[] = "Button"; // followed by 1, 2, ...
inline constexpr char kLayoutCount[] = "Count";
inline constexpr int kLayoutCountDefault = 0;

} // namespace cfg
