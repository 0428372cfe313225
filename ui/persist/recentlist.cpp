#include "ui/persist/recentlist.h"

#include "base/inistore.h"
#include "ui/persist/storagekeys.h"

namespace {

QString itemKey(int index) {
    return QString::fromLatin1(storagekeys::kRecentItemPattern).arg(index);
}

} // namespace

void RecentList::putFirst(const QString& path) {
    const qsizetype found = m_entries.indexOf(path);
    if (found >= 0) {
        m_entries.move(found, 0);
        return;
    }
    m_entries.prepend(path);
    while (m_entries.size() > kCapacity)
        m_entries.removeLast();
}

void RecentList::add(const QString& path) {
    putFirst(path);
    Q_EMIT changed();
}

void RecentList::load(IniStore& store) {
    const QString section = QLatin1String(storagekeys::kRecentSection);
    m_entries.clear();
    for (int n = kCapacity - 1; n >= 0; --n) {
        const QString path = store.readString(section, itemKey(n), QString());
        if (!path.isEmpty())
            putFirst(path);
    }
    Q_EMIT changed();
}

void RecentList::save(IniStore& store) {
    const QString section = QLatin1String(storagekeys::kRecentSection);
    store.eraseSection(section);
    for (int n = 0; n < m_entries.size(); ++n)
        store.writeString(section, itemKey(n), m_entries[n]);
}
