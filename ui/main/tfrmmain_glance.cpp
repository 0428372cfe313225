// What the lists show and take besides clicks: the sound file tooltip, files dragged out of
// the lists, files dropped onto the playlist and folders onto the directory list, and the
// waveform of the loaded file in the progress bar.
#include "ui/main/tfrmmain.h"

#include "browse/browser.h"
#include "browse/directorylist.h"
#include "browse/listbox.h"
#include "fileops/filepath.h"
#include "playback/soundinfoprovider.h"
#include "playlist/playlisteditor.h"
#include "playlist/playlistmodel.h"
#include "ui/dialogs/errorboundary.h"
#include "ui/glance/filedropfilter.h"
#include "ui/glance/soundinfotooltips.h"
#include "ui/main/progressbar.h"

QString TfrmMain::wavPath(int row) const {
    const QStringList names = m_browser->wavNames();
    if (row < 0 || row >= names.size())
        return QString();
    return GetFixedDirectory(m_browser->browserDirectory()) + names.at(row);
}

QString TfrmMain::playlistPath(int row) const {
    return row >= 0 && row < m_playlist->count() ? m_playlist->path(row) : QString();
}

void TfrmMain::bindGlance() {
    m_soundInfo = new SoundInfoProvider(this);
    ListBox* wavs = lbWavs();
    new SoundInfoToolTips(*wavs, *m_soundInfo,
                          [this, wavs](const QPoint& at) { return wavPath(wavs->rowAt(at)); });
    new SoundInfoToolTips(*m_lbPlaylist, *m_soundInfo, [this](const QPoint& at) {
        return playlistPath(m_lbPlaylist->rowAt(at));
    });
    wavs->setDragPath([this](int row) { return wavPath(row); });
    m_lbPlaylist->setDragPath([this](int row) { return playlistPath(row); });

    new FileDropFilter(
        *m_lbPlaylist->viewport(), [](const DroppedFiles& files) { return files.isPlaylistDrop(); },
        [this](const DroppedFiles& files) {
            errorboundary::run(*m_prompt, [&] {
                for (const QString& path : files.wavFiles)
                    m_editor->DoAddStringToPlaylist(fileNamePart(path), directoryPart(path));
            });
        });
    new FileDropFilter(
        *m_browser->directories()->viewport(),
        [](const DroppedFiles& files) { return files.isDirectoryDrop(); },
        [this](const DroppedFiles& files) {
            errorboundary::run(*m_prompt,
                               [&] { m_browser->enterDirectory(files.directories.first()); });
        });

    connect(m_playback.get(), &PlaybackControl::fileLoaded, m_progressBar,
            &ProgressBar::showOverview);
}
