#include "ui/dialogs/executableonlyproxy.h"

#include <QFileSystemModel>

void ExecutableOnlyProxy::setExecutableOnly(bool on) {
    m_executableOnly = on;
    invalidateFilter();
}

bool ExecutableOnlyProxy::filterAcceptsRow(int row, const QModelIndex& parent) const {
    const auto* files = qobject_cast<const QFileSystemModel*>(sourceModel());
    if (!m_executableOnly || !files)
        return true;
    const QModelIndex index = files->index(row, 0, parent);
    return files->isDir(index) || files->fileInfo(index).isExecutable();
}
