#include "ui/persist/recentmenu.h"

#include "ui/persist/recentlist.h"

#include <QAction>
#include <QMenu>
#include <QScopedValueRollback>
#include <QTimer>

RecentMenu::RecentMenu(RecentList& list, QAction& reopen, QObject* parent)
    : QObject(parent), m_list(list), m_reopen(reopen) {
    Q_ASSERT(reopen.menu());
    connect(&m_list, &RecentList::changed, this, &RecentMenu::rebuild);
    rebuild();
}

QString RecentMenu::caption(int index, const QString& path) {
    const QChar accelerator = index < 9 ? QChar(u'1' + index) : QChar(u'A');
    return QLatin1Char('&') + accelerator + QLatin1Char('\t') +
           path.section(QLatin1Char('|'), 0, 0);
}

QString RecentMenu::hint(const QString& path) {
    const qsizetype bar = path.indexOf(QLatin1Char('|'));
    return bar < 0 ? path : path.mid(bar + 1);
}

void RecentMenu::rebuild() {
    if (m_inClick) {
        m_rebuildPending = true;
        return;
    }
    QMenu* menu = m_reopen.menu();
    menu->clear();
    const QStringList& entries = m_list.entries();
    for (int i = 0; i < entries.size(); ++i) {
        QAction* entry = menu->addAction(caption(i, entries[i]));
        entry->setStatusTip(hint(entries[i]));
        connect(entry, &QAction::triggered, this, [this, i] { entryTriggered(i); });
    }
    m_reopen.setEnabled(!entries.isEmpty());
}

void RecentMenu::entryTriggered(int index) {
    if (index >= m_list.entries().size())
        return;
    {
        // The handler may run a modal box; nothing is posted until it has returned.
        const QScopedValueRollback inClick(m_inClick, true);
        // A copy: the handler reorders the list, which would change what a reference names.
        const QString path = m_list.entries()[index];
        Q_EMIT chosen(path);
    }
    if (m_rebuildPending) {
        m_rebuildPending = false;
        QTimer::singleShot(0, this, &RecentMenu::rebuild);
    }
}
