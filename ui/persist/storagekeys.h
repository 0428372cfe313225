#pragma once

// The sections and keys that the window-state components write into Sondrix.ini.
namespace storagekeys {

inline constexpr char kFormSection[] = "Form";
inline constexpr char kPanelsSection[] = "Panels";
inline constexpr char kToolbarSection[] = "Toolbar";
inline constexpr char kMruSection[] = "MRU";

// Placement keys, in the order every component writes them.
inline constexpr char kFlags[] = "Flags";
inline constexpr char kShowCmd[] = "ShowCmd";
inline constexpr char kMinMaxPos[] = "MinMaxPos";
inline constexpr char kNormPos[] = "NormPos";
inline constexpr char kVisible[] = "Visible";

// The recent playlists: the owning window's class, a full stop and the list's name.
inline constexpr char kRecentSection[] = "TfrmMain.MRUManager1";
inline constexpr char kRecentItemPattern[] = "Item_%1";

} // namespace storagekeys
