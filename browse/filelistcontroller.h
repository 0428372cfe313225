#pragma once

#include "browse/clickactions.h"

#include <QPoint>
#include <QString>

#include <functional>

class Browser;
class ListBox;
class PlaybackControl;
class Prompt;
class QObject;

// What a release may ask of the playlist and the editor, and the click action it follows.
struct ReleaseHooks {
    std::function<int()> clickAction;
    std::function<void()> addToPlaylist;
    std::function<void()> edit;
};

// A press gives a list the focus; a right press also selects the entry under the pointer,
// keeping the selection when there is none, so the popup menu acts on it.
void pressList(ListBox& list, Qt::MouseButton button, QPoint pos);
// A release over a selected entry of either list: load it, then play, add or edit as `action`
// says.
void applyRelease(PlaybackControl& playback, const ReleaseHooks& hooks, const QString& file,
                  const ReleaseAction& action);

// The file list's change, press, release and key decisions: which file is loaded, played,
// added to the playlist or opened in the editor.
class FileListController {
public:
    struct Hooks {
        ReleaseHooks release;
        std::function<void()> checkWavRule;
        std::function<void()> checkPlayRule;
    };

    FileListController(Browser& browser, PlaybackControl& playback, Hooks hooks);

    // Connects the file list's events to the handlers, each inside the error boundary.
    void bind(QObject* context, Prompt& prompt);

    void lbWavsChange();
    void lbWavsMouseDown(Qt::MouseButton button, QPoint pos);
    void lbWavsMouseUp(Qt::MouseButton button, Qt::KeyboardModifiers modifiers);
    void lbWavsKeyUp(int key);

private:
    Browser& m_browser;
    PlaybackControl& m_playback;
    Hooks m_hooks;
};
