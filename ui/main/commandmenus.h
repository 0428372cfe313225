#pragma once

#include "ui/main/commandtable.h"

#include <array>

class QAction;
class QMainWindow;
class QMenu;
class SpeedBar;

// The commands as the window shows them: one action per command, which every menu item, popup
// item and toolbar button of the command runs and follows.
struct CommandMenus {
    QAction* action(CommandId id) const { return commands[static_cast<std::size_t>(id)]; }
    QMenu* popup(PopupMenu menu) const { return popups[static_cast<std::size_t>(menu) - 1]; }

    std::array<QAction*, kCommandCount> commands{};
    std::array<QMenu*, kPopupCount> popups{};
    QAction* reopen = nullptr; // the recent playlists submenu of File
};

// Builds the actions, the main menu of `window`, the popup menus and the buttons of `bar` from
// the command table. The actions are not yet connected to handlers.
CommandMenus buildCommandMenus(QMainWindow& window, SpeedBar& bar);
