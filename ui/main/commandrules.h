#pragma once

#include <QList>
#include <QString>

// The enabled state of the commands that need a selection, computed from the selected row of the
// file list (w), of the playlist (p) and the number of playlist entries (n); -1 is no selection.
// Each rule names the controls it sets: menu items, popup items and toolbar items ("sb...").
struct ControlState {
    QString control;
    bool enabled;
    bool operator==(const ControlState&) const = default;
};

QList<ControlState> wavRule(int w);
QList<ControlState> playlistRule(int p, int n);
QList<ControlState> playRule(int w, int p);

// The commands no rule touches.
QStringList alwaysEnabledControls();
