#include "playlist/playlistdocument.h"

#include "app/appinfo.h"
#include "app/configkeys.h"
#include "app/inistore.h"
#include "fileops/filepath.h"
#include "playlist/playlisteditor.h"
#include "playlist/playlistfile.h"
#include "playlist/playlisthost.h"
#include "playlist/playlistmodel.h"
#include "ui/dialogs/prompt.h"
#include "ui/persist/recentlist.h"

#include <QFileInfo>

namespace {

QString rememberedDirectory(const IniStore& store, const char* key) {
    return store.readString(QLatin1String(cfg::kDirectories), QLatin1String(key),
                            appinfo::homeDirectory());
}

} // namespace

QString PlaylistDocument::captionFor(const QString& playlistFile) {
    if (playlistFile.isEmpty())
        return QLatin1String(appinfo::kWindowCaption);
    return QLatin1String(appinfo::kWindowCaption) + QStringLiteral(" - ") +
           fileNamePart(playlistFile);
}

int PlaylistDocument::GetSaveChoice() {
    if (!m_host.playlist().modified)
        return 0;
    switch (m_host.prompt().confirm(
        QStringLiteral("The current playlist has not been saved. Save it now?"), true)) {
    case Prompt::Answer::Yes:
        return 1;
    case Prompt::Answer::No:
        return 0;
    case Prompt::Answer::Cancel:
        break;
    }
    return 2;
}

// Leaving the playlist asks exactly what closing the window asks.
bool PlaylistDocument::leaveCurrentPlaylist() {
    return canClose();
}

bool PlaylistDocument::GetSavePlaylist(const QString& fileName) {
    PlaylistModel& model = m_host.playlist();
    if (!fileName.isEmpty()) {
        writePlaylistFile(fileName, model.paths());
        model.modified = false;
    } else {
        Prompt::FileDialog dialog;
        dialog.title = QStringLiteral("Save Playlist");
        dialog.nameFilters = {QStringLiteral("Sondrix Playlists (*.sxp)"),
                              QStringLiteral("All files (*)")};
        dialog.defaultSuffix = QStringLiteral("sxp");
        dialog.initialDirectory = rememberedDirectory(m_store, cfg::kLastSave);
        dialog.confirmOverwrite = true;
        const QString chosen = m_host.prompt().saveFileName(dialog);
        if (chosen.isEmpty())
            return false;
        writePlaylistFile(chosen, model.paths());
        model.currentFile = chosen;
        model.modified = false;
        m_host.setCaption(captionFor(chosen));
    }
    m_store.writeString(QLatin1String(cfg::kDirectories), QLatin1String(cfg::kLastSave),
                        directoryPart(model.currentFile));
    return true;
}

void PlaylistDocument::GetOpenPlaylist(const QString& fileName) {
    PlaylistModel& model = m_host.playlist();
    QString file = fileName;
    if (file.isEmpty()) {
        Prompt::FileDialog dialog;
        dialog.title = QStringLiteral("Open Playlist");
        dialog.nameFilters = {QStringLiteral("Sondrix Playlists (*.sxp)"),
                              QStringLiteral("All Files (*)")};
        dialog.initialDirectory = rememberedDirectory(m_store, cfg::kLastOpen);
        file = m_host.prompt().openFileName(dialog);
    }
    if (!file.isEmpty()) {
        model.clear(); // before the existence test, as the command has always done
        if (QFileInfo::exists(file)) {
            m_editor.addLoadedLines(readPlaylistFile(file));
            m_recent.add(file);
            model.currentFile = file;
            m_host.setCaption(captionFor(file));
            model.modified = false;
            m_store.writeString(QLatin1String(cfg::kDirectories), QLatin1String(cfg::kLastOpen),
                                directoryPart(file));
        } else {
            m_host.prompt().error(QStringLiteral("The file \"%1\" does not exist.").arg(file));
        }
    }
    m_host.DoCheckPlaylistButtons();
    m_host.DoCheckPlayControls();
}

void PlaylistDocument::newPlaylist() {
    if (!leaveCurrentPlaylist())
        return;
    PlaylistModel& model = m_host.playlist();
    model.clear();
    model.modified = false;
    model.currentFile.clear();
    m_host.setCaption(captionFor({}));
    m_host.DoCheckPlaylistButtons();
    m_host.DoCheckPlayControls();
}

void PlaylistDocument::open() {
    if (leaveCurrentPlaylist())
        GetOpenPlaylist({});
}

void PlaylistDocument::reopen(const QString& recentName) {
    if (!leaveCurrentPlaylist())
        return;
    m_recent.add(recentName);
    GetOpenPlaylist(recentName);
}

void PlaylistDocument::save() {
    GetSavePlaylist(m_host.playlist().currentFile);
}

void PlaylistDocument::saveAs() {
    GetSavePlaylist({});
}

bool PlaylistDocument::canClose() {
    switch (GetSaveChoice()) {
    case 0:
        return true;
    case 1:
        return GetSavePlaylist(m_host.playlist().currentFile);
    default:
        return false;
    }
}
