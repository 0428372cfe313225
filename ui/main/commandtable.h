#pragma once

#include "ui/toolbar/speeditem.h"

#include <QStringList>

#include <array>

struct CommandTargets;

// Every command of the main window. Where the rules give a menu item, a popup item and a toolbar
// button of the "same" command different states, each is a command of its own: the Edit button
// follows both lists, the Edit menu item and the file list's popup item the file list only, the
// playlist's popup item the playlist only; the popup Play, Loop and Stop items follow their own
// list, the menu items and buttons either list.
enum class CommandId {
    FileNew,
    FileOpen,
    FileSave,
    FileSaveAs,
    FileExit,
    Copy,
    Move,
    Rename,
    Delete,
    EditButton,
    Edit,
    EditEntry,
    Play,
    Loop,
    Stop,
    PlayWav,
    LoopWav,
    StopWav,
    PlayEntry,
    LoopEntry,
    StopEntry,
    PlayPlaylist,
    MoveUp,
    MoveDown,
    AddToPlaylist,
    AddAll,
    Remove,
    Clear,
    ShowPlaylist,
    ViewToolbar,
    Customize,
    Preferences,
    HelpContents,
    About,
};
inline constexpr int kCommandCount = static_cast<int>(CommandId::About) + 1;

// The rule that sets a command's enabled state.
enum class RuleGroup {
    Always, // no rule touches it
    WavRule,
    PlaylistRule,
    WavAndPlaylistRules,
    PlayRule,
    PlayWavRule,
    PlayEntryRule
};

enum class PopupMenu { None, WavList, Playlist, Toolbar };
inline constexpr int kPopupCount = 3;

struct CommandRow {
    CommandId id;
    const char* menuItem; // nullptr: not in the main menu
    const char* caption;
    const char* shortcut;
    PopupMenu popup;
    const char* popupItem;
    const char* popupCaption;
    const char* toolbarItem; // nullptr: no toolbar button
    const char* toolbarCaption;
    const char* section;
    const char* hint; // the long hint; the short one is the toolbar caption
    const char* picture;
    int firstRunLeft; // -1: not on the bar at the first run
    RuleGroup group;
    void (*handler)(CommandTargets& to); // calls the subsystem the command belongs to
};

const CommandRow& commandRow(CommandId id);
const std::array<CommandRow, kCommandCount>& commandRows();
// The menu, popup and toolbar item names of a command.
QStringList controlNames(const CommandRow& row);

// One entry of a menu: a command, a separator or the recent playlists submenu.
struct MenuEntry {
    enum class Kind { Command, Separator, Reopen } kind;
    CommandId id;
};
struct MenuLayout {
    const char* name;
    const char* caption;
    QList<MenuEntry> entries;
};
const QList<MenuLayout>& mainMenuLayout();
// The popup menus, in PopupMenu order from WavList; entries are commands and separators.
const QList<MenuLayout>& popupMenuLayout();

// The program's nineteen toolbar items in their sections, placed as on a first run.
SpeedBarLayout firstRunToolbar();
