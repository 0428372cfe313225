#include "playlist/playlisteditor.h"

#include "app/configkeys.h"
#include "app/inistore.h"
#include "browse/listbox.h"
#include "fileops/filepath.h"
#include "playlist/playlisthost.h"
#include "playlist/playlistmodel.h"
#include "ui/dialogs/prompt.h"

namespace {

bool showPathPreference(const IniStore& store) {
    return store.readBool(QLatin1String(cfg::kPreferences), QLatin1String(cfg::kShowPath),
                          cfg::kShowPathDefault);
}

} // namespace

PlaylistModel::Entry PlaylistEditor::fileEntry(const QString& fileName, const QString& directory) {
    const QString path = GetFixedDirectory(directory) + fileName;
    return {path, showPathPreference(m_store) ? path : fileName};
}

// The playlist rule and the automatic display run once per batch: nothing can observe the
// states in between.
void PlaylistEditor::appendEntries(const QList<PlaylistModel::Entry>& entries) {
    if (entries.isEmpty())
        return;
    PlaylistModel& model = m_host.playlist();
    model.append(entries);
    model.modified = true;
    if (!m_host.isPlaylistShown() &&
        m_store.readBool(QLatin1String(cfg::kPreferences), QLatin1String(cfg::kAutoPlaylist),
                         cfg::kAutoPlaylistDefault))
        m_host.DoShowPlaylist(true);
    m_host.DoCheckPlaylistButtons();
}

void PlaylistEditor::DoAddStringToPlaylist(const QString& fileName, const QString& directory) {
    appendEntries({fileEntry(fileName, directory)});
}

void PlaylistEditor::addLoadedLines(const QStringList& lines) {
    const IniStore::ReadSnapshot snapshot(m_store);
    QList<PlaylistModel::Entry> entries;
    entries.reserve(lines.size());
    for (const QString& line : lines)
        entries.append({line, playlistDisplayText(line, showPathPreference(m_store))});
    appendEntries(entries);
}

void PlaylistEditor::addAll(const QStringList& fileNames, const QString& directory) {
    const IniStore::ReadSnapshot snapshot(m_store);
    QList<PlaylistModel::Entry> entries;
    entries.reserve(fileNames.size());
    for (const QString& name : fileNames)
        entries.append(fileEntry(name, directory));
    appendEntries(entries);
}

void PlaylistEditor::remove() {
    ListBox& list = m_host.playlistList();
    PlaylistModel& model = m_host.playlist();
    const int row = list.selectedRow();
    if (row < 0 || row >= model.count())
        return;
    if (m_store.readBool(QLatin1String(cfg::kPreferences), QLatin1String(cfg::kConfirmDelete),
                         cfg::kConfirmDeleteDefault) &&
        m_host.prompt().confirm(QStringLiteral("Remove the selected item from the playlist?"),
                                false) != Prompt::Answer::Yes)
        return;
    model.removeAt(row);
    list.selectRow(std::min(row, model.count() - 1));
    m_host.DoCheckPlaylistButtons();
    m_host.DoCheckPlayControls();
    model.modified = true;
}

void PlaylistEditor::clear() {
    PlaylistModel& model = m_host.playlist();
    if (model.count() > 0 &&
        m_host.prompt().confirm(QStringLiteral("Are you sure you want to clear the playlist?"),
                                false) == Prompt::Answer::Yes) {
        model.clear();
        model.modified = true;
    }
    m_host.DoCheckPlaylistButtons();
    m_host.DoCheckPlayControls();
}

void PlaylistEditor::moveSelected(int step) {
    ListBox& list = m_host.playlistList();
    PlaylistModel& model = m_host.playlist();
    const int from = list.selectedRow();
    const int to = from + step;
    if (from < 0 || to < 0 || to >= model.count())
        return;
    model.move(from, to);
    list.selectRow(to);
    m_host.DoCheckPlaylistButtons();
    model.modified = true;
}

void PlaylistEditor::rebuildDisplay() {
    const IniStore::ReadSnapshot snapshot(m_store);
    m_host.playlist().rebuildDisplay(showPathPreference(m_store));
}
