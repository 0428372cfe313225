#pragma once

#include "base/inistore.h"
#include "tests/support/fakeprompt.h"
#include "tests/support/recordinghelp.h"
#include "ui/fileops/browserfilelist.h"
#include "ui/fileops/filecommands.h"

#include <QAction>
#include <QTemporaryDir>
#include <QWidget>

class Browser;
class ListBox;
class QToolButton;

// A shown, active window holding the browser over a folder of WAV files, with the four file
// commands bound to actions carrying their shortcuts and to a toolbar button each, as the main
// window binds them; playback and the command rules are counted.
struct CommandsFixture {
    explicit CommandsFixture(const QStringList& names);
    ~CommandsFixture();

    // "f0.wav", "f1.wav" and so on.
    static QStringList numberedNames(int count);
    QString path(const QString& name) const { return folder.filePath(name); }
    QStringList listed() const;
    ListBox* list() const;
    // Clicks a row of the file list.
    void click(int row);
    void remember(const char* key, const QString& directory);
    QString remembered(const char* key) const;

    QTemporaryDir folder;
    QTemporaryDir elsewhere;
    FakePrompt prompt;
    RecordingHelpService help;
    IniStore store{IniStore::sharedFilePath()};
    QWidget window;
    Browser* browser;
    BrowserFileList files;
    int stops = 0;
    QList<bool> checks; // one entry per evaluation: whether the play rule ran too
    FileCommands commands;
    QAction copy{QStringLiteral("&Copy...")};
    QAction move{QStringLiteral("&Move...")};
    QAction rename{QStringLiteral("&Rename...")};
    QAction remove{QStringLiteral("&Delete...")};
    QToolButton* sbCopy;
    QToolButton* sbDelete;
};
