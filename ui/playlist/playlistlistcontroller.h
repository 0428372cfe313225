#pragma once

#include "browse/filelistcontroller.h"

#include <QPoint>

#include <functional>

class ListBox;
class PlaybackControl;
class PlaylistModel;
class Prompt;
class QObject;

// The playlist list's press and release: the entry released over is loaded, then played, or
// opened in the editor, as the click action says.
class PlaylistListController {
public:
    struct Hooks {
        ReleaseHooks release;
        std::function<void()> checkPlaylistRule;
        std::function<void()> checkPlayRule;
    };

    PlaylistListController(ListBox& list, PlaylistModel& model, PlaybackControl& playback,
                           Hooks hooks);

    // Connects the list's press and release to the handlers, each inside the error boundary.
    void bind(QObject* context, Prompt& prompt);

    void handleMousePress(Qt::MouseButton button, QPoint pos);
    void handleMouseRelease(Qt::MouseButton button, Qt::KeyboardModifiers modifiers);

private:
    ListBox& m_list;
    PlaylistModel& m_model;
    PlaybackControl& m_playback;
    Hooks m_hooks;
};
