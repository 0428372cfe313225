#pragma once

class ListBox;
class PlaylistModel;
class Prompt;
class QString;

// What the playlist commands need of the main window.
class PlaylistHost {
public:
    virtual ~PlaylistHost() = default;
    virtual PlaylistModel& playlist() = 0;
    virtual ListBox& playlistList() = 0;
    virtual Prompt& prompt() = 0;
    virtual bool isPlaylistShown() const = 0;
    virtual void DoShowPlaylist(bool show) = 0;
    virtual void DoCheckPlaylistButtons() = 0;
    virtual void DoCheckPlayControls() = 0;
    virtual void setCaption(const QString& caption) = 0;
};
