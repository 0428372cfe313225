#include "playlist/playlistrun.h"

#include "base/pathcodec.h"
#include "base/prompt.h"
#include "playback/playbackcontrol.h"
#include "playlist/playlistmodel.h"

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
    Q_EMIT showRequested(true); // the list follows the run with the keyboard focus
    int unknownFiles = 0;
    {
        RunningPlaylist running(m_playback);
        const int entries = m_model.count();
        for (int i = 0; i < entries && i < m_model.count(); ++i) {
            const QString path = m_model.path(i);
            if (!isExistingFile(path)) {
                ++unknownFiles;
                continue;
            }
            m_model.selectRow(i);
            m_playback.player().close();
            m_playback.loadStep(path);
            m_playback.startPlaylistEntry();
            if (!m_playback.waitForPlaylistEntry())
                break;
        }
    }
    if (unknownFiles > 0)
        m_prompt.information(
            QStringLiteral("There were %1 unknown files in the playlist.").arg(unknownFiles));
    m_model.selectRow(0);
}
