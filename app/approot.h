#pragma once

#include "base/inistore.h"
#include "fileops/launcher.h"

#include <memory>

class AudioOutput;
class MediaPlayer;
class PlaybackControl;
class BrowserFileList;
class EditCommand;
class FileCommands;
class FileListController;
class PlaylistListController;
class PlaylistAdder;
class PlaylistDocument;
class PlaylistEditor;
class PlaylistRun;
class CurrentList;
class RecentList;
class HelpService;
class Prompt;
class QtPrompt;
class TfrmMain;
class IniLink;
class WindowStateStore;
struct CommandTargets;

// What the program asks of the world; tests stand their own in.
struct MainServices {
    Prompt* prompt = nullptr;      // default: message boxes and file dialogs over the window
    HelpService* help = nullptr;   // default: the help viewer over the installed help file
    AudioOutput* output = nullptr; // default: the system's sound output
    Launcher::UrlOpener openUrl;   // default: the desktop's handler for web addresses
};

// The program's composition: creates the configuration store, the prompt, the help service, the
// sound output and playback, the main window and the subsystems its commands act on, and binds
// them together.
class AppRoot {
public:
    // `openPath`: a folder or file named on the command line, shown at start.
    explicit AppRoot(const MainServices& services = MainServices(), const QString& openPath = {});
    ~AppRoot();
    AppRoot(const AppRoot&) = delete;
    AppRoot& operator=(const AppRoot&) = delete;

    TfrmMain& window() const { return *m_window; }
    IniStore& store() { return m_store; }
    // Reached by tests and benchmarks; the program reaches them only through the commands.
    PlaylistDocument& document() const { return *m_document; }
    RecentList& recentList() const { return *m_recent; }
    FileCommands& fileCommands() const { return *m_fileCommands; }

private:
    void makePlaylist(Prompt& prompt);
    void makeFileCommands(Prompt& prompt, HelpService& help, Launcher::UrlOpener openUrl);
    void bindWindowState(Prompt& prompt);
    void bindLists(Prompt& prompt);

    IniStore m_store;
    std::unique_ptr<QtPrompt> m_ownPrompt;
    std::unique_ptr<HelpService> m_ownHelp;
    std::unique_ptr<AudioOutput> m_ownOutput;
    std::unique_ptr<MediaPlayer> m_player;
    std::unique_ptr<PlaybackControl> m_playback;
    // Destroyed before the window, so the window-state store saves what a close did not while
    // the window still exists.
    std::unique_ptr<TfrmMain> m_window;
    RecentList* m_recent = nullptr; // owned by the window
    std::unique_ptr<PlaylistEditor> m_editor;
    std::unique_ptr<PlaylistDocument> m_document;
    std::unique_ptr<PlaylistRun> m_run;
    std::unique_ptr<CurrentList> m_currentList;
    std::unique_ptr<BrowserFileList> m_fileList;
    std::unique_ptr<FileCommands> m_fileCommands;
    std::unique_ptr<EditCommand> m_editCommand;
    std::unique_ptr<PlaylistAdder> m_adder;
    std::unique_ptr<IniLink> m_toolbarLayout;
    std::unique_ptr<WindowStateStore> m_windowState;
    std::unique_ptr<CommandTargets> m_targets;
    std::unique_ptr<FileListController> m_fileListController;
    std::unique_ptr<PlaylistListController> m_playlistListController;
};
