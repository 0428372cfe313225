#pragma once

#include "browse/clickactions.h"

#include <QString>

#include <functional>
#include <memory>

class PlaybackControl;

// What the lists' press, release and key decisions ask of playback.
class ListPlayback {
public:
    virtual ~ListPlayback() = default;
    virtual void loadStep(const QString& fileName) = 0;
    virtual void startStep(bool loop) = 0;
    virtual void closeDevice() = 0;
    virtual void playFile(const QString& fileName, bool loop) = 0;
};

// The program's playback behind the lists: playback control's own steps.
class PlaybackSteps : public ListPlayback {
public:
    explicit PlaybackSteps(PlaybackControl& playback) : m_playback(playback) {}
    void loadStep(const QString& fileName) override;
    void startStep(bool loop) override;
    void closeDevice() override;
    void playFile(const QString& fileName, bool loop) override;

private:
    PlaybackControl& m_playback;
};

// What a release may ask of the playlist and the editor, and the click action it follows.
struct ReleaseHooks {
    std::function<int()> clickAction;
    std::function<void()> addToPlaylist;
    std::function<void()> edit;
};

// A press gives a list the focus; a right press also selects the entry under the pointer,
// keeping the selection when there is none, so the popup menu acts on it. Returns the row the
// press selects, or -1 when it selects none.
int rowSelectedByPress(Qt::MouseButton button, int rowUnderPointer);
// A release over a selected entry of either list: load it, then play, add or edit as `action`
// says.
void applyRelease(ListPlayback& playback, const ReleaseHooks& hooks, const QString& file,
                  const ReleaseAction& action);

// The file list's change, release and key decisions: which file is loaded, played, added to the
// playlist or opened in the editor. It is told what happened as plain values; the list's events
// reach it through ui/browse/listevents.h.
class FileListController {
public:
    struct Hooks {
        ReleaseHooks release;
        std::function<QString()> selectedWav; // empty when no entry is selected
        std::function<void()> checkWavRule;
        std::function<void()> checkPlayRule;
    };

    FileListController(std::unique_ptr<ListPlayback> playback, Hooks hooks);

    void playSelectedWav();
    void handleMouseRelease(Qt::MouseButton button, Qt::KeyboardModifiers modifiers);
    void handleKeyRelease(int key);

private:
    std::unique_ptr<ListPlayback> m_playback;
    Hooks m_hooks;
};
