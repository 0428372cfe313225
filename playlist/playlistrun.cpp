#include "playlist/playlistrun.h"

#include "browse/listbox.h"
#include "fileops/pathcodec.h"
#include "playback/playbackcontrol.h"
#include "playlist/playlisthost.h"
#include "playlist/playlistmodel.h"
#include "ui/dialogs/prompt.h"

namespace {

// Clears the playlist-running flag however the run ends, also when an entry fails to open.
struct RunningFlag {
    explicit RunningFlag(bool& flag) : m_flag(flag) { m_flag = true; }
    ~RunningFlag() { m_flag = false; }
    bool& m_flag;
};

} // namespace

void PlaylistRun::DoPlayPlaylist() {
    if (!m_host.isPlaylistShown())
        m_host.DoShowPlaylist(true); // a hidden list cannot take the focus
    PlaybackControl::Flags& flags = m_playback.flags;
    ListBox& list = m_host.playlistList();
    PlaylistModel& model = m_host.playlist();
    int unknownFiles = 0;
    {
        RunningFlag running(flags.playlistRunning);
        list.setFocus();
        flags.playlistAbort = false;
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
            flags.startPending = true;
            flags.stopRequest = false;
            flags.playlistAbort = false;
            m_playback.DoPlayWav(false);
            while (!flags.startPending && !flags.playlistAbort && !m_playback.quitRequested())
                PlaybackControl::processEventsTurn(true);
            if (flags.playlistAbort || m_playback.quitRequested())
                break;
        }
    }
    if (unknownFiles > 0)
        m_host.prompt().information(
            QStringLiteral("There were %1 unknown files in the playlist.").arg(unknownFiles));
    list.selectRow(0);
}
