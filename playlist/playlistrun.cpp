#include "playlist/playlistrun.h"

#include "fileops/pathcodec.h"
#include "playback/playbackcontrol.h"
#include "playlist/playlisthost.h"
#include "playlist/playlistmodel.h"
#include "ui/browse/listbox.h"
#include "ui/dialogs/prompt.h"

namespace {

// Ends the run in the playback state however it ends, also when an entry fails to open.
struct RunningPlaylist {
    explicit RunningPlaylist(PlaybackControl& playback) : m_playback(playback) {
        m_playback.beginPlaylistRun();
    }
    ~RunningPlaylist() { m_playback.endPlaylistRun(); }
    PlaybackControl& m_playback;
};

} // namespace

void PlaylistRun::DoPlayPlaylist() {
    if (!m_host.isPlaylistShown())
        m_host.DoShowPlaylist(true); // a hidden list cannot take the focus
    ListBox& list = m_host.playlistList();
    PlaylistModel& model = m_host.playlist();
    int unknownFiles = 0;
    {
        RunningPlaylist running(m_playback);
        list.setFocus();
        const int entries = list.count();
        for (int i = 0; i < entries && i < model.count(); ++i) {
            const QString path = model.path(i);
            if (!isExistingFile(path)) {
                ++unknownFiles;
                continue;
            }
            list.selectRow(i);
            m_playback.player().close();
            m_playback.loadStep(path);
            m_playback.startPlaylistEntry();
            if (!m_playback.waitForPlaylistEntry())
                break;
        }
    }
    if (unknownFiles > 0)
        m_host.prompt().information(
            QStringLiteral("There were %1 unknown files in the playlist.").arg(unknownFiles));
    list.selectRow(0);
}
