#include "ui/persist/recentlist.h"

void RecentList::add(const QString& path, int) {
    m_entries.removeAll(path);
    m_entries.prepend(path);
    while (m_entries.size() > kCapacity)
        m_entries.removeLast();
    Q_EMIT changed();
}
