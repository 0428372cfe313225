#include "ui/fileops/filecommands.h"

#include "base/configkeys.h"
#include "base/filepath.h"
#include "base/inistore.h"
#include "base/prompt.h"
#include "fileops/filedelete.h"
#include "ui/fileops/copymove.h"
#include "ui/fileops/filelist.h"
#include "ui/fileops/renamewav.h"

FileCommands::FileCommands(IniStore& store, Prompt& prompt, HelpService& help, FileList& files,
                           Hooks hooks, QWidget* dialogParent)
    : m_store(store), m_prompt(prompt), m_help(help), m_files(files), m_hooks(std::move(hooks)),
      m_dialogParent(dialogParent) {}

QByteArray FileCommands::pathOf(int row) const {
    return GetFixedDirectory(m_files.directory()) + m_files.fileName(row);
}

bool FileCommands::copyOrMove(int row, bool isMove) {
    const bool confirmed =
        CopyMoveFile({m_store, m_prompt, m_help, m_dialogParent}, pathOf(row), isMove);
    if (confirmed)
        m_files.reread();
    return confirmed;
}

// The destination dialog leaves the working directory alone, so the browser needs no pointing
// back at its directory after Copy and Move.
void FileCommands::copySelected() {
    m_hooks.stopPlayback();
    const int row = m_files.selectedRow();
    if (row >= 0) {
        copyOrMove(row, false);
        m_files.selectRow(row);
        m_files.focusList();
    }
    m_hooks.checkCommands(true);
}

void FileCommands::moveSelected() {
    m_hooks.stopPlayback();
    const int row = m_files.selectedRow();
    if (row >= 0)
        copyOrMove(row, true);
    DoSetListFocus(row);
}

void FileCommands::renameSelected() {
    m_hooks.stopPlayback();
    const int row = m_files.selectedRow();
    if (row < 0)
        return;
    switch (RenameWavFile(m_help, m_prompt, m_dialogParent, pathOf(row))) {
    case RenameOutcome::Renamed:
        m_files.reread();
        break;
    case RenameOutcome::Failed:
        m_prompt.error(QStringLiteral("Could not rename WAV file."));
        break;
    case RenameOutcome::Cancelled:
        break;
    }
    m_files.selectRow(row);
    m_hooks.checkCommands(false);
}

void FileCommands::deleteSelected() {
    m_hooks.stopPlayback();
    const int row = m_files.selectedRow();
    if (row < 0)
        return;
    const QByteArray path = pathOf(row);
    const bool confirm =
        m_store.readBool(QLatin1String(cfg::kPreferences), QLatin1String(cfg::kConfirmDelete),
                         cfg::kConfirmDeleteDefault);
    bool deleted = true;
    if (!confirm || m_prompt.confirm(QStringLiteral("Delete the selected file?"), false) ==
                        Prompt::Answer::Yes) {
        deleted = deleteWavFile(path);
        m_files.reread();
    }
    if (!deleted)
        m_prompt.error(QStringLiteral("Could not delete file."));
    DoSetListFocus(row);
}

void FileCommands::DoSetListFocus(int index) {
    const int count = m_files.count();
    if (count > 0) {
        m_files.selectRow(qMin(index, count - 1));
        m_files.focusList();
    }
    m_hooks.checkCommands(true);
}
