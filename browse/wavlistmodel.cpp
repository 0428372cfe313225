#include "browse/wavlistmodel.h"

#include "browse/wavlisting.h"

#include <QThreadPool>

#include <algorithm>
#include <utility>

namespace {

// Letting go of a few hundred thousand names (each its own allocation, most made on the reading
// thread) takes longer than a frame, so a long list is let go of on a worker.
constexpr qsizetype kReleaseElsewhereFrom = 4096;

void release(QStringList names) {
    if (names.size() < kReleaseElsewhereFrom || !names.isDetached())
        return;
    QThreadPool::globalInstance()->start([dropped = std::move(names)]() mutable { dropped = {}; });
}

} // namespace

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
    QStringList old = std::exchange(m_names, names);
    endResetModel();
    release(std::move(old));
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
    QStringList old = std::exchange(m_names, names);
    changePersistentIndexList(held, moved);
    Q_EMIT layoutChanged();
    release(std::move(old));
}
