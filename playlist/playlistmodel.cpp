#include "playlist/playlistmodel.h"

#include "base/filepath.h"

#include <QItemSelectionModel>

PlaylistModel::PlaylistModel(QObject* parent)
    : QAbstractListModel(parent), m_selection(new QItemSelectionModel(this, this)) {}

int PlaylistModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : count();
}

QVariant PlaylistModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= count())
        return {};
    if (role == Qt::DisplayRole || role == Qt::AccessibleTextRole)
        return m_entries.at(index.row()).display;
    if (role == Qt::ToolTipRole)
        return m_entries.at(index.row()).path;
    return {};
}

QStringList PlaylistModel::paths() const {
    QStringList result;
    result.reserve(m_entries.size());
    for (const Entry& entry : m_entries)
        result.append(entry.path);
    return result;
}

void PlaylistModel::append(const QString& path, const QString& display) {
    append(QList<Entry>{{path, display}});
}

void PlaylistModel::append(const QList<Entry>& entries) {
    if (entries.isEmpty())
        return;
    beginInsertRows({}, count(), count() + static_cast<int>(entries.size()) - 1);
    m_entries.append(entries);
    endInsertRows();
}

void PlaylistModel::removeAt(int row) {
    beginRemoveRows({}, row, row);
    m_entries.removeAt(row);
    endRemoveRows();
}

void PlaylistModel::move(int from, int to) {
    // Qt's destination is the row the entry is inserted before, in the list before the move.
    beginMoveRows({}, from, from, {}, to > from ? to + 1 : to);
    m_entries.move(from, to);
    endMoveRows();
}

void PlaylistModel::clear() {
    beginResetModel();
    m_entries.clear();
    endResetModel();
}

QString playlistDisplayText(const QString& path, bool showPath) {
    return showPath ? path : fileNamePart(path);
}

void PlaylistModel::rebuildDisplay(bool showPath) {
    beginResetModel();
    for (Entry& entry : m_entries)
        entry.display = playlistDisplayText(entry.path, showPath);
    endResetModel();
}

int PlaylistModel::selectedRow() const {
    const QModelIndexList rows = m_selection->selectedRows();
    return rows.isEmpty() ? -1 : rows.first().row();
}

void PlaylistModel::selectRow(int row) {
    if (row < 0 || row >= count())
        m_selection->clear();
    else
        m_selection->setCurrentIndex(index(row), QItemSelectionModel::ClearAndSelect);
}

void PlaylistModel::setModified(bool modified) {
    if (modified == m_modified)
        return;
    m_modified = modified;
    Q_EMIT modifiedChanged(modified);
}

void PlaylistModel::setCurrentFile(const QString& file) {
    if (file == m_currentFile)
        return;
    m_currentFile = file;
    Q_EMIT currentFileChanged(file);
}
