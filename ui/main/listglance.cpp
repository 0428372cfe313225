#include "ui/main/listglance.h"

#include "base/errorboundary.h"
#include "base/pathcodec.h"
#include "playback/playbackcontrol.h"
#include "playback/soundinfoprovider.h"
#include "playlist/playlistmodel.h"
#include "ui/browse/browser.h"
#include "ui/browse/directorylist.h"
#include "ui/browse/listbox.h"
#include "ui/glance/filedropfilter.h"
#include "ui/glance/soundinfotooltips.h"
#include "ui/main/currentlist.h"
#include "ui/main/progressbar.h"

namespace {

QString wavPath(const Browser& browser, int row) {
    return decodePath(wavRowPath(browser, row));
}

QString playlistPath(const PlaylistModel& playlist, int row) {
    return decodePath(entryRowPath(playlist, row));
}

} // namespace

void bindListGlance(const ListGlance& parts) {
    auto* soundInfo = new SoundInfoProvider(&parts.window);
    Browser& browser = parts.browser;
    ListBox& wavs = *browser.wavs();
    ListBox& entries = parts.playlistList;
    const PlaylistModel& playlist = parts.playlist;
    new SoundInfoToolTips(wavs, *soundInfo, [&browser, &wavs](const QPoint& at) {
        return wavPath(browser, wavs.rowAt(at));
    });
    new SoundInfoToolTips(entries, *soundInfo, [&playlist, &entries](const QPoint& at) {
        return playlistPath(playlist, entries.rowAt(at));
    });
    wavs.setDragPath([&browser](int row) { return wavPath(browser, row); });
    entries.setDragPath([&playlist](int row) { return playlistPath(playlist, row); });

    Prompt& prompt = parts.prompt;
    new FileDropFilter(
        *entries.viewport(), [](const DroppedFiles& files) { return files.isPlaylistDrop(); },
        [&prompt, addEntry = parts.addEntry](const DroppedFiles& files) {
            errorboundary::run(prompt, [&] {
                for (const QString& path : files.wavFiles)
                    addEntry(path);
            });
        });
    new FileDropFilter(
        *browser.directories()->viewport(),
        [](const DroppedFiles& files) { return files.isDirectoryDrop(); },
        [&prompt, &browser](const DroppedFiles& files) {
            errorboundary::run(prompt, [&] { browser.enterDirectory(files.directories.first()); });
        });

    QObject::connect(&parts.playback, &PlaybackControl::fileLoaded, &parts.progressBar,
                     &ProgressBar::showOverview);
}
