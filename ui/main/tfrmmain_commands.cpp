// Builds the menus, the popup menus and the toolbar from the command table: one action per
// command, which every item of the command runs and follows.
#include "ui/main/commandrules.h"
#include "ui/main/tfrmmain.h"

#include "browse/listbox.h"
#include "ui/dialogs/errorboundary.h"
#include "ui/persist/speedbar.h"

#include <QMenu>
#include <QMenuBar>

namespace {

// A popup item shows its own caption and runs its command, enabled while the command is.
QAction* popupItem(QMenu* menu, const CommandRow& row, QAction* command) {
    QAction* item = menu->addAction(QLatin1String(row.popupCaption));
    item->setObjectName(QLatin1String(row.popupItem));
    item->setEnabled(command->isEnabled());
    QObject::connect(command, &QAction::changed, item,
                     [item, command] { item->setEnabled(command->isEnabled()); });
    QObject::connect(item, &QAction::triggered, command, &QAction::trigger);
    return item;
}

} // namespace

void TfrmMain::buildCommands() {
    for (const CommandRow& row : commandRows()) {
        auto* command = new QAction(QLatin1String(row.caption), this);
        command->setObjectName(QLatin1String(row.menuItem ? row.menuItem : row.toolbarItem));
        if (row.shortcut)
            command->setShortcut(QKeySequence(QLatin1String(row.shortcut)));
        m_commands[static_cast<std::size_t>(row.id)] = command;
        if (row.toolbarItem)
            m_speedBar->setItemAction(QLatin1String(row.toolbarItem), command);
    }
    for (const MenuLayout& layout : mainMenuLayout()) {
        QMenu* menu = menuBar()->addMenu(QLatin1String(layout.caption));
        menu->setObjectName(QLatin1String(layout.name));
        menu->menuAction()->setObjectName(QLatin1String(layout.name));
        for (const MenuEntry& entry : layout.entries) {
            if (entry.kind == MenuEntry::Kind::Separator) {
                menu->addSeparator();
            } else if (entry.kind == MenuEntry::Kind::Reopen) {
                QMenu* reopen = menu->addMenu(QStringLiteral("&Reopen"));
                reopen->setObjectName(QStringLiteral("miFileReopen"));
                m_reopen = reopen->menuAction();
                m_reopen->setObjectName(QStringLiteral("miFileReopen"));
                m_reopen->setEnabled(false);
            } else {
                menu->addAction(action(entry.id));
            }
        }
    }
    std::size_t popupIndex = 0;
    for (const MenuLayout& layout : popupMenuLayout()) {
        auto* menu = new QMenu(this);
        menu->setObjectName(QLatin1String(layout.name));
        m_popups[popupIndex++] = menu;
        for (const MenuEntry& entry : layout.entries) {
            if (entry.kind == MenuEntry::Kind::Separator)
                menu->addSeparator();
            else
                popupItem(menu, commandRow(entry.id), action(entry.id));
        }
    }
    action(CommandId::ViewToolbar)->setCheckable(true);
    action(CommandId::ShowPlaylist)->setCheckable(true);
    action(CommandId::ShowPlaylist)->setChecked(true);
    m_speedBar->setItemDown(QStringLiteral("sbShowPlaylist"), true);

    for (const auto& [list, popup] :
         {std::pair{lbWavs(), PopupMenu::WavList}, std::pair{m_lbPlaylist, PopupMenu::Playlist}}) {
        QMenu* menu = popupMenu(popup);
        connect(list, &ListBox::popupRequested, menu, [menu](QPoint at) { menu->popup(at); });
    }
    connect(m_speedBar, &QWidget::customContextMenuRequested, this, [this](QPoint at) {
        popupMenu(PopupMenu::Toolbar)->popup(m_speedBar->mapToGlobal(at));
    });
}

void TfrmMain::bindCommands(CommandTargets& targets) {
    m_targets = &targets;
    for (const CommandRow& row : commandRows())
        connect(action(row.id), &QAction::triggered, this,
                guarded([&targets, handler = row.handler] { handler(targets); }));
}

void TfrmMain::applyStates(const QList<CommandState>& states) {
    for (const CommandState& state : states)
        action(state.command)->setEnabled(state.enabled);
}

// Command state rules.

void TfrmMain::DoCheckWavButtons() {
    applyStates(wavRule(lbWavs()->selectedRow()));
}

void TfrmMain::DoCheckPlaylistButtons() {
    applyStates(playlistRule(m_lbPlaylist->selectedRow(), m_lbPlaylist->count()));
}

void TfrmMain::DoCheckPlayControls() {
    applyStates(playRule(lbWavs()->selectedRow(), m_lbPlaylist->selectedRow()));
    DoCheckPopUpMenus();
}

void TfrmMain::DoCheckPopUpMenus() {
    applyStates(popupPlayRule(lbWavs()->selectedRow(), m_lbPlaylist->selectedRow()));
}
