#pragma once

#include <QObject>
#include <QStringList>

// The recently opened playlists, newest first; the window shows them in its Reopen submenu,
// which is enabled only while the list holds entries.
class RecentList : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    static constexpr int kCapacity = 10;

    // Puts the path first, removing an earlier occurrence; the oldest entry beyond the capacity
    // drops out.
    void add(const QString& path, int userData = 0);
    const QStringList& entries() const { return m_entries; }

Q_SIGNALS:
    void changed();

private:
    QStringList m_entries;
};
