// The commands bound to their handlers and to the lists' popup menus, and the command rules.
#include "ui/main/commandrules.h"
#include "ui/main/tfrmmain.h"

#include "ui/browse/listbox.h"
#include "ui/main/commandtargets.h"
#include "ui/toolbar/speedbar.h"

#include <QMenu>

void TfrmMain::buildCommands() {
    m_menus = buildCommandMenus(*this, *m_speedBar);
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
