#pragma once

#include "app/approot.h"
#include "tests/support/fakeprompt.h"
#include "tests/support/recordinghelp.h"
#include "ui/main/tfrmmain.h"

#include <QAction>
#include <QTemporaryDir>
#include <QUrl>

#include <memory>

// A shown, active main window over a fresh configuration and a folder of test files.
struct WindowFixture {
    // Scripted: `prompt` answers every question. MessageBoxes: the window's own modal boxes and
    // dialogs, for tests that close them by key.
    enum class Prompts { Scripted, MessageBoxes };
    explicit WindowFixture(AudioOutput* output = nullptr, Prompts prompts = Prompts::Scripted);
    ~WindowFixture();

    // Builds the program over the fixture's prompt, help and web address opener.
    void start(AudioOutput* output = nullptr, Prompts prompts = Prompts::Scripted);
    // Ends the program: the window and everything it was given.
    void reset();
    // Makes the window the active one, where its shortcuts work.
    void activate();

    // Writes the files into the browser folder and shows it.
    void showFiles(const QStringList& names);
    // Adds entries straight to the playlist, as no command does: the rules do not run.
    void addPlaylistEntries(const QStringList& paths);
    // Runs a command as its menu item does, whatever enabled state the rules last gave it.
    void runCommand(CommandId id) { Q_EMIT window->action(id)->triggered(); }
    QString filePath(const QString& name) const { return folder.filePath(name); }
    // Clicks a row of a list in its viewport.
    static void click(class ListBox* list, int row, Qt::MouseButton button = Qt::LeftButton,
                      Qt::KeyboardModifiers modifiers = {});

    QTemporaryDir folder;
    FakePrompt prompt;
    RecordingHelpService help;
    QList<QUrl> openedUrls; // the web addresses the window asked the desktop to open
    bool acceptUrls = true;
    QString openPath; // named on the command line of the next start

    std::unique_ptr<AppRoot> root;
    TfrmMain* window = nullptr;
};

// Removes the configuration file, so each test starts as a first run.
void resetConfiguration();

// A menu or popup item of the window by its name, e.g. "miFileReopen" or "pmiEdit1".
QAction* namedAction(const QWidget& window, const QString& name);
// Whether a named menu item, popup item or toolbar item ("sb...") is enabled.
bool isControlEnabled(const TfrmMain& window, const QString& name);

QAction* findAction(const QList<QAction*>& actions, const QString& text);
// Opens a menu bar menu with the mouse and clicks one of its items, both found by caption.
void clickMenuItem(class QMenuBar* bar, const QString& menuText, const QString& itemText);
// Opens File > Reopen with the mouse and clicks its entry `index` (0 for the first).
void chooseReopenEntry(const TfrmMain& window, int index);
