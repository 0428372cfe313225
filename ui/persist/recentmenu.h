#pragma once

#include <QObject>

class QAction;
class RecentList;

// Fills the Reopen submenu from the recent list: one entry per path, "&1<tab>path" to
// "&A<tab>path", its status hint the path, and the submenu enabled only while it holds entries.
// A path is split at its first "|": the caption shows the part before it, the hint the part after.
// The menu is rebuilt after every change of the list; a change made while an entry's own click is
// being handled is rebuilt once that click has returned to the event loop, so the clicked action
// is never destroyed under the menu that is still using it.
class RecentMenu : public QObject {
    Q_OBJECT
public:
    // `reopen` is the submenu's item; it must carry a menu.
    RecentMenu(RecentList& list, QAction& reopen, QObject* parent = nullptr);

    static QString caption(int index, const QString& path);
    static QString hint(const QString& path);

Q_SIGNALS:
    // An entry was chosen; the path is the entry's at the time of the click.
    void chosen(const QString& path);

private:
    void rebuild();
    void entryTriggered(int index);

    RecentList& m_list;
    QAction& m_reopen;
    bool m_inClick = false;
    bool m_rebuildPending = false;
};
