#include "playlist/playlistdocument.h"

#include "base/appinfo.h"
#include "base/configkeys.h"
#include "base/filepath.h"
#include "base/inistore.h"
#include "base/prompt.h"
#include "playlist/playlisteditor.h"
#include "playlist/playlistfile.h"
#include "playlist/playlistmodel.h"

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
    if (!m_model.modified())
        return 0;
    switch (m_prompt.confirm(
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

bool PlaylistDocument::mayOverwrite(const QString& fileName) {
    return !m_onDisk.changedSince(fileName) ||
           m_prompt.confirm(QStringLiteral("The playlist file has been changed by another "
                                           "program. Overwrite it?"),
                            false) == Prompt::Answer::Yes;
}

void PlaylistDocument::write(const QString& fileName, const QByteArray& text) {
    writePlaylistText(fileName, text);
    m_onDisk.remember(text);
}

bool PlaylistDocument::GetSavePlaylist(const QString& fileName) {
    // An entry that cannot be written refuses the save before anything is asked.
    const QByteArray text = formatPlaylistText(m_model.paths());
    if (!fileName.isEmpty()) {
        if (!mayOverwrite(fileName))
            return false;
        write(fileName, text);
        m_model.setModified(false);
    } else {
        Prompt::FileDialog dialog;
        dialog.title = QStringLiteral("Save Playlist");
        dialog.nameFilters = {QStringLiteral("Sondrix Playlists (*.sxp)"),
                              QStringLiteral("All files (*)")};
        dialog.defaultSuffix = QStringLiteral("sxp");
        dialog.initialDirectory = rememberedDirectory(m_store, cfg::kLastSave);
        dialog.confirmOverwrite = true;
        const QString chosen = m_prompt.saveFileName(dialog);
        if (chosen.isEmpty())
            return false;
        write(chosen, text);
        m_model.setCurrentFile(chosen);
        m_model.setModified(false);
    }
    m_store.writeString(QLatin1String(cfg::kDirectories), QLatin1String(cfg::kLastSave),
                        directoryPart(m_model.currentFile()));
    return true;
}

void PlaylistDocument::GetOpenPlaylist(const QString& fileName) {
    QString file = fileName;
    if (file.isEmpty()) {
        Prompt::FileDialog dialog;
        dialog.title = QStringLiteral("Open Playlist");
        dialog.nameFilters = {QStringLiteral("Sondrix Playlists (*.sxp)"),
                              QStringLiteral("All Files (*)")};
        dialog.initialDirectory = rememberedDirectory(m_store, cfg::kLastOpen);
        file = m_prompt.openFileName(dialog);
    }
    if (file.isEmpty())
        return; // the dialog was cancelled
    if (!QFileInfo::exists(file)) {
        m_prompt.error(QStringLiteral("The file \"%1\" does not exist.").arg(file));
        return;
    }
    // Read whole before the playlist is touched: a read that fails leaves it as it was.
    const QByteArray text = readPlaylistBytes(file);
    m_model.clear();
    m_editor.addLoadedLines(parsePlaylistText(text));
    m_onDisk.remember(text);
    Q_EMIT fileUsed(file);
    m_model.setCurrentFile(file);
    m_model.setModified(false);
    m_store.writeString(QLatin1String(cfg::kDirectories), QLatin1String(cfg::kLastOpen),
                        directoryPart(file));
    Q_EMIT ruleCheckRequested(true);
}

void PlaylistDocument::newPlaylist() {
    if (!leaveCurrentPlaylist())
        return;
    m_model.clear();
    m_model.setModified(false);
    m_model.setCurrentFile({});
    Q_EMIT ruleCheckRequested(true);
}

void PlaylistDocument::open() {
    if (leaveCurrentPlaylist())
        GetOpenPlaylist({});
}

void PlaylistDocument::reopen(QString recentName) {
    if (!leaveCurrentPlaylist())
        return;
    Q_EMIT fileUsed(recentName);
    GetOpenPlaylist(recentName);
}

void PlaylistDocument::save() {
    GetSavePlaylist(m_model.currentFile());
}

void PlaylistDocument::saveAs() {
    GetSavePlaylist({});
}

bool PlaylistDocument::canClose() {
    switch (GetSaveChoice()) {
    case 0:
        return true;
    case 1:
        return GetSavePlaylist(m_model.currentFile());
    default:
        return false;
    }
}
