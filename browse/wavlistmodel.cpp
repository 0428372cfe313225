#include "browse/wavlistmodel.h"

#include "browse/wavlisting.h"

#include <algorithm>

int WavListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_names.size());
}

QVariant WavListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= m_names.size())
        return {};
    if (role == Qt::DisplayRole || role == Qt::EditRole)
        return m_names.at(index.row());
    return {};
}

void WavListModel::setNames(const QStringList& names) {
    beginResetModel();
    m_names = names;
    endResetModel();
}

void WavListModel::appendNames(const QStringList& names) {
    if (names.isEmpty())
        return;
    const int first = rowCount();
    beginInsertRows({}, first, first + static_cast<int>(names.size()) - 1);
    m_names += names;
    endInsertRows();
}

void WavListModel::followNames(const QStringList& names) {
    Q_EMIT layoutAboutToBeChanged();
    // Only the rows someone holds on to (the selection, the current row) are looked up, each
    // by a binary search in the new names.
    const QModelIndexList held = persistentIndexList();
    QModelIndexList moved;
    moved.reserve(held.size());
    for (const QModelIndex& index : held) {
        const QString& name = m_names.at(index.row());
        const auto at = std::lower_bound(names.begin(), names.end(), name, wavNameLess);
        moved.append(at != names.end() && *at == name
                         ? createIndex(static_cast<int>(at - names.begin()), 0)
                         : QModelIndex());
    }
    m_names = names;
    changePersistentIndexList(held, moved);
    Q_EMIT layoutChanged();
}
