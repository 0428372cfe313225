// The playlist's commands, bound to the playlist editor, document and run.
#include "ui/main/tfrmmain.h"

#include "browse/browser.h"
#include "browse/listbox.h"
#include "fileops/filecommands.h"
#include "playlist/playlistdocument.h"
#include "playlist/playlisteditor.h"
#include "playlist/playlistrun.h"
#include "ui/main/commandtargets.h"

void TfrmMain::DoSetListFocus(int index) {
    m_targets->files.DoSetListFocus(index);
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
