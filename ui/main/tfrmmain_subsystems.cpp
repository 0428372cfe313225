// The subsystems the window binds to its commands: the file commands, the external editor, the
// preferences, the about box and the storage of the window's state.
#include "ui/main/tfrmmain.h"

#include "app/configkeys.h"
#include "app/inistore.h"
#include "browse/browser.h"
#include "browse/listbox.h"
#include "fileops/browserfilelist.h"
#include "fileops/bytepath.h"
#include "fileops/editcommand.h"
#include "fileops/filecommands.h"
#include "fileops/pathcodec.h"
#include "playlist/playlistdocument.h"
#include "playlist/playlisteditor.h"
#include "playlist/playlistmodel.h"
#include "playlist/playlistrun.h"
#include "ui/dialogs/errorboundary.h"
#include "ui/dialogs/tfrmhelpabout.h"
#include "ui/dialogs/tfrmpreferences.h"
#include "ui/persist/inilink.h"
#include "ui/persist/recentlist.h"
#include "ui/persist/recentmenu.h"
#include "ui/persist/speedbar.h"
#include "ui/persist/windowstatestore.h"

void TfrmMain::bindSubsystems() {
    IniStore& store = m_store;
    const auto stopForFileCommand = [this] {
        // Stop all playback, then end a running playlist.
        m_playback->DoStopAll();
        m_playback->abortAll();
    };
    m_fileList = std::make_unique<BrowserFileList>(*m_browser);
    m_fileCommands =
        std::make_unique<FileCommands>(store, *m_prompt, *m_help, *m_fileList,
                                       FileCommands::Hooks{stopForFileCommand,
                                                           [this](bool withPlayRule) {
                                                               DoCheckWavButtons();
                                                               if (withPlayRule)
                                                                   DoCheckPlayControls();
                                                           }},
                                       this);

    m_launcher = new TLauncher(m_openUrl, this);
    m_launcher->setObjectName(QStringLiteral("Launcher"));
    m_editCommand = std::make_unique<EditCommand>(
        *m_launcher, *m_prompt, store,
        EditCommand::Hooks{stopForFileCommand, [this] { return currentListPath(); }});

    SpeedBar* bar = m_speedBar;
    m_toolbarLayout = std::make_unique<CallbackIniLink>(
        [bar](IniStore& s) { bar->ReadLayout(s); }, [bar](IniStore& s) { bar->WriteLayout(s); });
    m_windowState = std::make_unique<WindowStateStore>(
        store, *m_prompt, *this, StoredPanels{m_pnlWavs, m_pnlDirectories, m_pnlPlaylist},
        *m_recent, m_toolbarLayout.get());
    auto* recentMenu = new RecentMenu(*m_recent, *m_reopen, this);
    connect(recentMenu, &RecentMenu::chosen, this,
            guarded([this](const QString& path) { MRUManager1Click(path); }));
}

QByteArray TfrmMain::currentListPath() const {
    if (GetCurrentList() == 0)
        return bytepath::fixedDirectory(encodePath(m_browser->browserDirectory())) +
               encodePath(m_browser->selectedWav());
    const int row = m_lbPlaylist->selectedRow();
    return row >= 0 && row < m_playlist->count() ? encodePath(m_playlist->path(row)) : QByteArray();
}

void TfrmMain::readClickAction() {
    m_clickAction = m_store.readInteger(QLatin1String(cfg::kPreferences),
                                        QLatin1String(cfg::kSingleClick), cfg::kSingleClickDefault);
}

void TfrmMain::DoSetListFocus(int index) {
    m_fileCommands->DoSetListFocus(index);
}

void TfrmMain::miEditCopyClick() {
    m_fileCommands->miEditCopyClick();
}
void TfrmMain::miEditMoveClick() {
    m_fileCommands->miEditMoveClick();
}
void TfrmMain::miEditRenameClick() {
    m_fileCommands->miEditRenameClick();
}
void TfrmMain::miEditDeleteClick() {
    m_fileCommands->miEditDeleteClick();
}
void TfrmMain::miEditEditClick() {
    m_editCommand->miEditEditClick();
}

// Whether accepted or not, the display and the cached click action follow the stored settings.
void TfrmMain::miToolsPreferencesClick() {
    TfrmPreferences::ShowPreferences(m_store, *m_prompt, *m_help, this);
    m_editor->rebuildDisplay();
    readClickAction();
    DoCheckPlaylistButtons();
    DoCheckPlayControls();
}

void TfrmMain::miHelpAboutClick() {
    ShowAboutBox(this, *m_prompt, [this](const QString& address) {
        TLauncher launcher(m_openUrl);
        launcher.setProgramName(address.toUtf8());
        launcher.StartProgram();
    });
}

void TfrmMain::miToolsCustomizeClick() {
    m_speedBar->OpenCustomizeDialog(0);
}

// The playlist's editing and document commands.

void TfrmMain::miPlaylistAddClick() {
    m_editor->DoAddStringToPlaylist(m_browser->selectedWav(), m_browser->browserDirectory());
}

void TfrmMain::miEditAddAllClick() {
    const int selected = lbWavs()->selectedRow();
    m_editor->addAll(m_browser->wavNames(), m_browser->browserDirectory());
    DoSetListFocus(selected);
}

void TfrmMain::sbRemoveClick() {
    m_editor->remove();
}
void TfrmMain::miEditClearPlaylistClick() {
    m_editor->clear();
}
void TfrmMain::sbUpClick() {
    m_editor->moveUp();
}
void TfrmMain::sbDownClick() {
    m_editor->moveDown();
}
void TfrmMain::miPlaylistPlayClick() {
    m_run->DoPlayPlaylist();
}

void TfrmMain::miFileNewClick() {
    m_document->newPlaylist();
}
void TfrmMain::miFileOpenClick() {
    m_document->open();
}
void TfrmMain::miFileSaveClick() {
    m_document->save();
}
void TfrmMain::miFileSaveAsClick() {
    m_document->saveAs();
}
void TfrmMain::MRUManager1Click(const QString& recentName) {
    m_document->reopen(recentName);
}
