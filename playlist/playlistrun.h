#pragma once

#include <QObject>

class PlaybackControl;
class PlaylistModel;
class Prompt;

// Plays the playlist once, entry after entry, selecting each, skipping and counting files that
// are gone. The run keeps handling the program's events while each entry plays, so every command
// stays usable; the playback flags end or continue it.
class PlaylistRun : public QObject {
    Q_OBJECT
public:
    PlaylistRun(PlaylistModel& model, PlaybackControl& playback, Prompt& prompt)
        : m_model(model), m_playback(playback), m_prompt(prompt) {}

    void DoPlayPlaylist();

Q_SIGNALS:
    // The run begins: the list should be visible and follow it with the keyboard focus.
    void showRequested(bool withFocus);

private:
    PlaylistModel& m_model;
    PlaybackControl& m_playback;
    Prompt& m_prompt;
};
