#pragma once

#include "ui/main/commandtable.h"

#include <QList>

// The enabled state of the commands that need a selection, computed from the selected row of the
// file list (w), of the playlist (p) and the number of playlist entries (n); -1 is no selection.
struct CommandState {
    CommandId command;
    bool enabled;
    bool operator==(const CommandState&) const = default;
};

QList<CommandState> wavRule(int w);
QList<CommandState> playlistRule(int p, int n);
// The play rule for the Controls menu and the toolbar, then for the popup menus' items.
QList<CommandState> playRule(int w, int p);
QList<CommandState> popupPlayRule(int w, int p);

// The commands no rule touches.
QList<CommandId> alwaysEnabledCommands();
