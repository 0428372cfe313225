#include "playlist/playlisteditor.h"

#include "app/configkeys.h"
#include "app/inistore.h"
#include "browse/listbox.h"
#include "fileops/filepath.h"
#include "playlist/playlisthost.h"
#include "playlist/playlistmodel.h"
#include "ui/dialogs/prompt.h"

namespace {

bool showPathPreference() {
    return ReadIniBool(QLatin1String(cfg::kPreferences), QLatin1String(cfg::kShowPath),
                       cfg::kShowPathDefault);
}

} // namespace

void PlaylistEditor::appendEntry(const QString& path, const QString& display) {
    PlaylistModel& model = m_host.playlist();
    model.append(path, display);
    model.modified = true;
    if (!m_host.isPlaylistShown() &&
        ReadIniBool(QLatin1String(cfg::kPreferences), QLatin1String(cfg::kAutoPlaylist),
                    cfg::kAutoPlaylistDefault))
        m_host.DoShowPlaylist(true);
    m_host.DoCheckPlaylistButtons();
}

void PlaylistEditor::DoAddStringToPlaylist(const QString& fileName, const QString& directory) {
    const QString path = GetFixedDirectory(directory) + fileName;
    appendEntry(path, showPathPreference() ? path : fileName);
}

void PlaylistEditor::addLoadedLine(const QString& line) {
    appendEntry(line, playlistDisplayText(line, showPathPreference()));
}

void PlaylistEditor::addAll(const QStringList& fileNames, const QString& directory) {
    for (const QString& name : fileNames)
        DoAddStringToPlaylist(name, directory);
}

void PlaylistEditor::remove() {
    ListBox& list = m_host.playlistList();
    PlaylistModel& model = m_host.playlist();
    const int row = list.selectedRow();
    if (row < 0 || row >= model.count())
        return;
    if (ReadIniBool(QLatin1String(cfg::kPreferences), QLatin1String(cfg::kConfirmDelete),
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
    m_host.playlist().rebuildDisplay(showPathPreference());
}
