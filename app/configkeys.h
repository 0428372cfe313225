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
inline constexpr char kLastCopy[] = "LastCopy";
inline constexpr char kLastMove[] = "LastMove";

inline constexpr char kSpeedbar[] = "Speedbar";
inline constexpr char kPlaylist[] = "Playlist";
inline constexpr char kVisible[] = "Visible";
inline constexpr bool kVisibleDefault = true;

} // namespace cfg
