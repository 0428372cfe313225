#pragma once

class PlaybackControl;
class PlaylistHost;

// Plays the playlist once, entry after entry, skipping and counting files that are gone. The
// run keeps handling the program's events while each entry plays, so every command stays
// usable; the playback flags end or continue it.
class PlaylistRun {
public:
    PlaylistRun(PlaylistHost& host, PlaybackControl& playback)
        : m_host(host), m_playback(playback) {}

    void DoPlayPlaylist();

private:
    PlaylistHost& m_host;
    PlaybackControl& m_playback;
};
