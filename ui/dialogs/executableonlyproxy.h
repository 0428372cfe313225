#pragma once

#include <QSortFilterProxyModel>

// A file dialog's filter by permission: while on, the files the user may not execute are hidden;
// folders stay, so the user can still move around.
class ExecutableOnlyProxy : public QSortFilterProxyModel {
public:
    using QSortFilterProxyModel::QSortFilterProxyModel;

    void setExecutableOnly(bool on);

protected:
    bool filterAcceptsRow(int row, const QModelIndex& parent) const override;

private:
    bool m_executableOnly = false;
};
