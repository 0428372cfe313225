#pragma once

#include "ui/persist/inilink.h"

#include <QObject>
#include <QStringList>

// The recently opened playlists, newest first; the window shows them in its Reopen submenu,
// which is enabled only while the list holds entries. Paths compare exactly: on Linux two paths
// that differ only in letter case name two different files.
//
// The list keeps itself in section "TfrmMain.MRUManager1" as Item_0 (newest) to Item_9, loaded
// and saved at the times of the window's storage component "MRU".
class RecentList : public QObject, public IniLink {
    Q_OBJECT
public:
    using QObject::QObject;

    static constexpr int kCapacity = 10;

    // Puts the path first, moving an earlier occurrence; the oldest entry beyond the capacity
    // drops out. Every call signals a change, also when the order stays the same.
    void add(const QString& path);
    const QStringList& entries() const { return m_entries; }

    // Item_9 down to Item_0, each put first: the stored order, gaps closed, duplicates as one.
    void load(IniStore& store) override;
    // The section is erased, then rewritten from Item_0; an empty list leaves no section.
    void save(IniStore& store) override;

Q_SIGNALS:
    void changed();

private:
    void putFirst(const QString& path);

    QStringList m_entries;
};
