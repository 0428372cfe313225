#include "playlist/playlisteditor.h"

#include "base/configkeys.h"
#include "base/filepath.h"
#include "base/inistore.h"
#include "base/prompt.h"
#include "playlist/playlistfile.h"

bool playlistShowPathPreference(const IniStore& store) {
    return store.readBool(QLatin1String(cfg::kPreferences), QLatin1String(cfg::kShowPath),
                          cfg::kShowPathDefault);
}

PlaylistModel::Entry PlaylistEditor::fileEntry(const QString& fileName, const QString& directory) {
    const QString path = GetFixedDirectory(directory) + fileName;
    return {path, playlistShowPathPreference(m_store) ? path : fileName};
}

// A name with a line break would come back from the playlist file as two entries that name
// nothing, so such a file is left out, and said so.
void PlaylistEditor::refuseLineBreaks(QList<PlaylistModel::Entry>& entries) {
    QStringList refused;
    entries.removeIf([&refused](const PlaylistModel::Entry& entry) {
        if (fitsOnePlaylistLine(entry.path))
            return false;
        refused.append(entry.path);
        return true;
    });
    if (refused.isEmpty())
        return;
    const QString reason = QStringLiteral("a playlist file cannot hold a name with a line break.");
    m_prompt.error(refused.size() == 1
                       ? QStringLiteral("The file \"%1\" cannot be added to the playlist: %2")
                             .arg(withVisibleLineBreaks(refused.first()), reason)
                       : QStringLiteral("%1 files cannot be added to the playlist: %2")
                             .arg(refused.size())
                             .arg(reason));
}

// The playlist rule and the automatic display run once per batch: nothing can observe the
// states in between.
void PlaylistEditor::appendEntries(QList<PlaylistModel::Entry> entries) {
    refuseLineBreaks(entries);
    if (entries.isEmpty())
        return;
    m_model.append(entries);
    m_model.setModified(true);
    if (m_store.readBool(QLatin1String(cfg::kPreferences), QLatin1String(cfg::kAutoPlaylist),
                         cfg::kAutoPlaylistDefault))
        Q_EMIT showRequested(false);
    Q_EMIT ruleCheckRequested(false);
}

void PlaylistEditor::DoAddStringToPlaylist(const QString& fileName, const QString& directory) {
    appendEntries({fileEntry(fileName, directory)});
}

void PlaylistEditor::addLoadedLines(const QStringList& lines) {
    const IniStore::ReadSnapshot snapshot(m_store);
    QList<PlaylistModel::Entry> entries;
    entries.reserve(lines.size());
    for (const QString& line : lines)
        entries.append({line, playlistDisplayText(line, playlistShowPathPreference(m_store))});
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

void PlaylistEditor::remove(int row) {
    if (row < 0 || row >= m_model.count())
        return;
    if (m_store.readBool(QLatin1String(cfg::kPreferences), QLatin1String(cfg::kConfirmDelete),
                         cfg::kConfirmDeleteDefault) &&
        m_prompt.confirm(QStringLiteral("Remove the selected item from the playlist?"), false) !=
            Prompt::Answer::Yes)
        return;
    m_model.removeAt(row);
    m_model.selectRow(std::min(row, m_model.count() - 1));
    Q_EMIT ruleCheckRequested(true);
    m_model.setModified(true);
}

void PlaylistEditor::clear() {
    if (m_model.count() > 0 &&
        m_prompt.confirm(QStringLiteral("Are you sure you want to clear the playlist?"), false) ==
            Prompt::Answer::Yes) {
        m_model.clear();
        m_model.setModified(true);
    }
    Q_EMIT ruleCheckRequested(true);
}

void PlaylistEditor::move(int from, int step) {
    const int to = from + step;
    if (from < 0 || from >= m_model.count() || to < 0 || to >= m_model.count())
        return;
    m_model.move(from, to);
    m_model.selectRow(to);
    Q_EMIT ruleCheckRequested(false);
    m_model.setModified(true);
}
