// The command table: the main menu, the popup menus and the toolbar items, and what each runs.
#include "ui/main/tfrmmain.h"

#include "browse/listbox.h"
#include "ui/dialogs/errorboundary.h"
#include "ui/persist/speedbar.h"

#include <QMenu>
#include <QMenuBar>
#include <QToolButton>

namespace {

using Handler = void (TfrmMain::*)();

struct CommandRow {
    const char* name; // nullptr: a separator
    const char* caption;
    const char* shortcut;
    Handler handler;
};

struct MenuTable {
    const char* name;
    const char* caption;
    std::initializer_list<CommandRow> rows;
};

const CommandRow kSeparator{nullptr, nullptr, nullptr, nullptr};

const MenuTable kMainMenu[] = {
    {"miFile",
     "&File",
     {{"miFileNew", "&New", "Ctrl+Ins", &TfrmMain::miFileNewClick},
      {"miFileOpen", "&Open...", "Ctrl+O", &TfrmMain::miFileOpenClick},
      {"miFileReopen", "&Reopen", nullptr, nullptr},
      {"miFileSave", "&Save", "Ctrl+S", &TfrmMain::miFileSaveClick},
      {"miFileSaveAs", "Save &As...", "Ctrl+A", &TfrmMain::miFileSaveAsClick},
      kSeparator,
      {"miFileExit", "E&xit", nullptr, &TfrmMain::miFileExitClick}}},
    {"miEdit",
     "&Edit",
     {{"miEditCopy", "&Copy...", "Ctrl+C", &TfrmMain::miEditCopyClick},
      {"miEditMove", "&Move...", "Ctrl+M", &TfrmMain::miEditMoveClick},
      {"miEditRename", "&Rename...", "F2", &TfrmMain::miEditRenameClick},
      {"miEditEdit", "&Edit", "Ctrl+E", &TfrmMain::miEditEditClick},
      kSeparator,
      {"miEditAddToPlaylist", "&Add to Playlist", "Shift+Ins", &TfrmMain::miPlaylistAddClick},
      {"miEditAddAll", "A&dd All", nullptr, &TfrmMain::miEditAddAllClick},
      kSeparator,
      {"miEditDelete", "&Delete...", "Ctrl+Del", &TfrmMain::miEditDeleteClick}}},
    {"miControls",
     "&Controls",
     {{"miControlsPlay", "&Play", nullptr, &TfrmMain::miControlsPlayClick},
      {"miControlsLoop", "&Loop", "Ctrl+L", &TfrmMain::miControlsLoopClick},
      {"miControlsStop", "&Stop", nullptr, &TfrmMain::miControlsStopClick}}},
    {"miPlaylist",
     "&Playlist",
     {{"miPlaylistPlay", "&Play", "Ctrl+P", &TfrmMain::miPlaylistPlayClick},
      kSeparator,
      {"miPlaylistMoveUp", "Move &Up", "Ctrl+U", &TfrmMain::sbUpClick},
      {"miPlaylistMoveDown", "Move &Down", "Ctrl+D", &TfrmMain::sbDownClick},
      {"miPlaylistRemove", "&Remove", "Ctrl+R", &TfrmMain::sbRemoveClick},
      kSeparator,
      {"miPlaylistClear", "&Clear", "Ctrl+Z", &TfrmMain::miEditClearPlaylistClick}}},
    {"miView",
     "&View",
     {{"miViewToolbar", "&Toolbar", nullptr, &TfrmMain::miViewToolbarClick},
      {"miViewPlayList", "&PlayList", nullptr, &TfrmMain::sbShowPlaylistClick}}},
    {"miTools",
     "&Tools",
     {{"miToolsCustomize", "&Customize Toolbar...", nullptr, &TfrmMain::miToolsCustomizeClick},
      {"miToolsPreferences", "&Preferences...", nullptr, &TfrmMain::miToolsPreferencesClick}}},
    {"miHelp",
     "&Help",
     {{"miHelpContents", "&Contents", nullptr, &TfrmMain::miHelpContentsClick},
      kSeparator,
      {"miHelpAbout", "&About...", nullptr, &TfrmMain::miHelpAboutClick}}},
};

const MenuTable kPopupMenus[] = {
    {"popWavList",
     nullptr,
     {{"pmiPlay0", "&Play", nullptr, &TfrmMain::miControlsPlayClick},
      {"pmiLoop0", "&Loop", nullptr, &TfrmMain::miControlsLoopClick},
      {"pmiStop0", "&Stop", nullptr, &TfrmMain::miControlsStopClick},
      kSeparator,
      {"pmiAddToPlaylist", "&Add to Playlist", nullptr, &TfrmMain::miPlaylistAddClick},
      {"pmiAddAll", "Add All", nullptr, &TfrmMain::miEditAddAllClick},
      kSeparator,
      {"pmiCopy0", "&Copy", nullptr, &TfrmMain::miEditCopyClick},
      {"pmiMove0", "&Move", nullptr, &TfrmMain::miEditMoveClick},
      {"pmiRename0", "&Rename", nullptr, &TfrmMain::miEditRenameClick},
      {"pmiEdit0", "&Edit", nullptr, &TfrmMain::miEditEditClick},
      kSeparator,
      {"pmiDelete0", "&Delete", nullptr, &TfrmMain::miEditDeleteClick}}},
    {"popPlaylist",
     nullptr,
     {{"pmiPlayPlaylist", "Play Playlis&t", nullptr, &TfrmMain::miPlaylistPlayClick},
      kSeparator,
      {"pmiPlay1", "&Play", nullptr, &TfrmMain::miControlsPlayClick},
      {"pmiLoop1", "&Loop", nullptr, &TfrmMain::miControlsLoopClick},
      {"pmiStop1", "&Stop", nullptr, &TfrmMain::miControlsStopClick},
      kSeparator,
      {"pmiEdit1", "&Edit", nullptr, &TfrmMain::miEditEditClick},
      kSeparator,
      {"pmiMoveUp", "Move &Up", nullptr, &TfrmMain::sbUpClick},
      {"pmiMoveDown", "Move &Down", nullptr, &TfrmMain::sbDownClick},
      {"pmiRemove", "&Remove", nullptr, &TfrmMain::sbRemoveClick},
      kSeparator,
      {"Clear1", "&Clear", nullptr, &TfrmMain::miEditClearPlaylistClick}}},
    {"pmnuToolbar",
     nullptr,
     {{"Customize1", "Customize", nullptr, &TfrmMain::miToolsCustomizeClick}}},
};

// The toolbar items and the handler each runs.
const std::pair<const char*, Handler> kToolbarCommands[] = {
    {"sbNew", &TfrmMain::miFileNewClick},
    {"sbOpen", &TfrmMain::miFileOpenClick},
    {"sbSave", &TfrmMain::miFileSaveClick},
    {"sbCopy", &TfrmMain::miEditCopyClick},
    {"sbMove", &TfrmMain::miEditMoveClick},
    {"sbRename", &TfrmMain::miEditRenameClick},
    {"sbDelete", &TfrmMain::miEditDeleteClick},
    {"sbEdit", &TfrmMain::miEditEditClick},
    {"sbPlay", &TfrmMain::miControlsPlayClick},
    {"sbLoop", &TfrmMain::miControlsLoopClick},
    {"sbStop", &TfrmMain::miControlsStopClick},
    {"sbPlayPlaylist", &TfrmMain::miPlaylistPlayClick},
    {"sbUp", &TfrmMain::sbUpClick},
    {"sbDown", &TfrmMain::sbDownClick},
    {"sbAdd", &TfrmMain::miPlaylistAddClick},
    {"sbAddAll", &TfrmMain::miEditAddAllClick},
    {"sbRemove", &TfrmMain::sbRemoveClick},
    {"sbClear", &TfrmMain::miEditClearPlaylistClick},
    {"sbShowPlaylist", &TfrmMain::sbShowPlaylistClick},
};

} // namespace

void TfrmMain::buildCommands() {
    auto fill = [this](QMenu* menu, const MenuTable& table) {
        for (const CommandRow& row : table.rows) {
            if (!row.name) {
                menu->addSeparator();
                continue;
            }
            const QString name = QLatin1String(row.name);
            if (!row.handler) { // the recent playlists submenu, filled by the recent list
                QMenu* submenu = menu->addMenu(QLatin1String(row.caption));
                submenu->setObjectName(name);
                submenu->menuAction()->setObjectName(name);
                submenu->menuAction()->setEnabled(false);
                m_actions.insert(name, submenu->menuAction());
                continue;
            }
            QAction* action = menu->addAction(QLatin1String(row.caption));
            action->setObjectName(name);
            if (row.shortcut)
                action->setShortcut(QKeySequence(QLatin1String(row.shortcut)));
            connect(action, &QAction::triggered, this,
                    errorboundary::guarded([this, handler = row.handler] { (this->*handler)(); }));
            m_actions.insert(name, action);
        }
    };
    for (const MenuTable& table : kMainMenu) {
        QMenu* menu = menuBar()->addMenu(QLatin1String(table.caption));
        menu->setObjectName(QLatin1String(table.name));
        m_actions.insert(QLatin1String(table.name), menu->menuAction());
        fill(menu, table);
    }
    for (const MenuTable& table : kPopupMenus) {
        auto* menu = new QMenu(this);
        menu->setObjectName(QLatin1String(table.name));
        m_popups.insert(QLatin1String(table.name), menu);
        fill(menu, table);
    }
    action(QStringLiteral("miViewToolbar"))->setCheckable(true);
    action(QStringLiteral("miViewPlayList"))->setCheckable(true);
    action(QStringLiteral("miViewPlayList"))->setChecked(true);

    for (const auto& [name, handler] : kToolbarCommands) {
        connect(m_speedBar->button(QLatin1String(name)), &QAbstractButton::clicked, this,
                errorboundary::guarded([this, item = QString::fromLatin1(name), h = handler] {
                    if (m_speedBar->isItemEnabled(item))
                        (this->*h)();
                }));
    }
    m_speedBar->setItemDown(QStringLiteral("sbShowPlaylist"), true);

    for (const auto& [list, name] :
         {std::pair{lbWavs(), "popWavList"}, std::pair{m_lbPlaylist, "popPlaylist"}}) {
        QMenu* popup = m_popups.value(QLatin1String(name));
        connect(list, &ListBox::popupRequested, popup, [popup](QPoint at) { popup->popup(at); });
    }
    connect(m_speedBar, &QWidget::customContextMenuRequested, this, [this](QPoint at) {
        m_popups.value(QStringLiteral("pmnuToolbar"))->popup(m_speedBar->mapToGlobal(at));
    });
}
