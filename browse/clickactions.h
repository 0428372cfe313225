#pragma once

#include <Qt>

// What a mouse release over a selected list entry does beyond loading it, by the click action
// preference (0: a plain left click plays; 1: Alt with a left click plays looped).
struct ReleaseAction {
    enum class Play { None, Once, Looped };
    Play play = Play::None;
    bool addToPlaylist = false;
    bool edit = false;
    bool operator==(const ReleaseAction&) const = default;
};

// The file list's release rule: both click actions also add on Shift and edit on Ctrl.
ReleaseAction wavReleaseAction(int clickAction, Qt::MouseButton button,
                               Qt::KeyboardModifiers modifiers);
// The playlist's release rule: as the file list's, without Shift adding to the playlist.
ReleaseAction playlistReleaseAction(int clickAction, Qt::MouseButton button,
                                    Qt::KeyboardModifiers modifiers);
