#pragma once

#include <QAbstractListModel>
#include <QStringList>

// The file list's names, one row each. A re-read replaces them all; a change on disk moves each
// remaining name's row with it, so a selection or a current row stays on its file.
class WavListModel : public QAbstractListModel {
    Q_OBJECT
public:
    using QAbstractListModel::QAbstractListModel;

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

    const QStringList& names() const { return m_names; }
    // A re-read: the rows are new, nothing refers to the old ones.
    void setNames(const QStringList& names);
    // More names of a read still running, after those shown.
    void appendNames(const QStringList& names);
    // The same directory read again after it changed on disk; `names` is sorted as the list is.
    // Rows that name a file still present keep referring to it; the others refer to nothing.
    void followNames(const QStringList& names);

private:
    QStringList m_names;
};
