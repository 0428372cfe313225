#include "app/approot.h"

#include "base/errorboundary.h"
#include "base/filepath.h"
#include "browse/filelistcontroller.h"
#include "fileops/desktopurlopener.h"
#include "fileops/editcommand.h"
#include "playback/mediaplayer.h"
#include "playback/playbackcontrol.h"
#include "playback/systemaudiooutput.h"
#include "playlist/playlistdocument.h"
#include "playlist/playlisteditor.h"
#include "playlist/playlistmodel.h"
#include "playlist/playlistrun.h"
#include "ui/browse/browser.h"
#include "ui/browse/listbox.h"
#include "ui/browse/listevents.h"
#include "ui/dialogs/helpfile.h"
#include "ui/dialogs/helplookup.h"
#include "ui/dialogs/helpviewer.h"
#include "ui/dialogs/qtprompt.h"
#include "ui/fileops/browserfilelist.h"
#include "ui/fileops/filecommands.h"
#include "ui/main/commandtargets.h"
#include "ui/main/currentlist.h"
#include "ui/main/listglance.h"
#include "ui/main/tfrmmain.h"
#include "ui/persist/inilink.h"
#include "ui/persist/recentlist.h"
#include "ui/persist/recentmenu.h"
#include "ui/persist/windowstatestore.h"
#include "ui/playlist/playlistadder.h"
#include "ui/playlist/playlistlistcontroller.h"
#include "ui/toolbar/speedbar.h"

#include <QCoreApplication>

AppRoot::AppRoot(const MainServices& services, const QString& openPath)
    : m_store(IniStore::sharedFilePath()) {
    Prompt* prompt = services.prompt;
    if (!prompt) {
        m_ownPrompt = std::make_unique<QtPrompt>(nullptr);
        prompt = m_ownPrompt.get();
    }
    HelpService* help = services.help;
    if (!help) {
        m_ownHelp =
            std::make_unique<HelpViewer>(helpfile::locate(QCoreApplication::applicationDirPath()));
        help = m_ownHelp.get();
    }
    AudioOutput* output = services.output;
    if (!output) {
        m_ownOutput = std::make_unique<SystemAudioOutput>();
        output = m_ownOutput.get();
    }
    m_player = std::make_unique<MediaPlayer>(*output);
    m_playback = std::make_unique<PlaybackControl>(*m_player);
    m_window =
        std::make_unique<TfrmMain>(MainParts{m_store, *prompt, *m_player, *m_playback, openPath});
    if (m_ownPrompt)
        m_ownPrompt->setParent(m_window.get()); // its boxes and dialogs sit over the window
    const Launcher::UrlOpener openUrl = services.openUrl ? services.openUrl : desktopUrlOpener();
    makePlaylist(*prompt);
    makeFileCommands(*prompt, *help, openUrl);
    m_adder = std::make_unique<PlaylistAdder>(
        *m_window->browser(), *m_editor,
        [files = m_fileCommands.get()](int row) { files->DoSetListFocus(row); });
    bindWindowState(*prompt);
    m_targets = std::make_unique<CommandTargets>(
        CommandTargets{*m_window, m_store, *prompt, *help, *m_fileCommands, *m_editCommand,
                       *m_playback, *m_currentList, *m_window->playlistModel(), *m_document,
                       *m_editor, *m_run, *m_adder, *m_window->speedBar(), openUrl});
    m_window->bindCommands(*m_targets);
    bindLists(*prompt);
    helplookup::installF1Help(m_window.get(), *help, *prompt); // wherever the focus is
}

AppRoot::~AppRoot() = default;

// The playlist's editor, document and run over the window's playlist model.
void AppRoot::makePlaylist(Prompt& prompt) {
    TfrmMain& window = *m_window;
    PlaylistModel& model = *window.playlistModel();
    m_editor = std::make_unique<PlaylistEditor>(model, prompt, m_store);
    m_document = std::make_unique<PlaylistDocument>(model, *m_editor, prompt, m_store);
    m_run = std::make_unique<PlaylistRun>(model, *m_playback, prompt);
    QObject::connect(m_editor.get(), &PlaylistEditor::showRequested, &window,
                     &TfrmMain::revealPlaylist);
    QObject::connect(m_run.get(), &PlaylistRun::showRequested, &window, &TfrmMain::revealPlaylist);
    QObject::connect(m_editor.get(), &PlaylistEditor::ruleCheckRequested, &window,
                     &TfrmMain::checkPlaylistRules);
    QObject::connect(m_document.get(), &PlaylistDocument::ruleCheckRequested, &window,
                     &TfrmMain::checkPlaylistRules);
    m_recent = new RecentList(&window);
    QObject::connect(m_document.get(), &PlaylistDocument::fileUsed, m_recent, &RecentList::add);
    window.setCloseCheck([document = m_document.get()] { return document->canClose(); });
    PlaylistEditor* editor = m_editor.get();
    bindListGlance({window, *window.browser(), *window.lbPlaylist(), model, *m_playback,
                    *window.progressBar(), prompt, [editor](const QString& path) {
                        editor->DoAddStringToPlaylist(fileNamePart(path), directoryPart(path));
                    }});
}

// Copy, move, rename, delete and the external editor, over the file list and the current list.
void AppRoot::makeFileCommands(Prompt& prompt, HelpService& help, Launcher::UrlOpener openUrl) {
    TfrmMain& window = *m_window;
    PlaybackControl& playback = *m_playback;
    const auto stopForFileCommand = [&playback] {
        // Stop all playback, then end a running playlist.
        playback.DoStopAll();
        playback.abortAll();
    };
    m_fileList = std::make_unique<BrowserFileList>(*window.browser());
    m_fileCommands =
        std::make_unique<FileCommands>(m_store, prompt, help, *m_fileList,
                                       FileCommands::Hooks{stopForFileCommand,
                                                           [&window](bool withPlayRule) {
                                                               window.DoCheckWavButtons();
                                                               if (withPlayRule)
                                                                   window.DoCheckPlayControls();
                                                           }},
                                       &window);

    auto* launcher = new Launcher(openUrl, &window);
    launcher->setObjectName(QStringLiteral("Launcher"));
    m_currentList = std::make_unique<CurrentList>(window);
    m_editCommand = std::make_unique<EditCommand>(
        *launcher, prompt, m_store,
        EditCommand::Hooks{stopForFileCommand,
                           [current = m_currentList.get()] { return current->selectedPath(); }});
}

// The window's placement, panels, toolbar layout and recent playlists, restored at the first
// show and stored when a close is allowed.
void AppRoot::bindWindowState(Prompt& prompt) {
    TfrmMain& window = *m_window;
    SpeedBar* bar = window.speedBar();
    m_toolbarLayout = std::make_unique<CallbackIniLink>(
        [bar](IniStore& s) { bar->ReadLayout(s); }, [bar](IniStore& s) { bar->WriteLayout(s); });
    m_windowState = std::make_unique<WindowStateStore>(
        m_store, prompt, window,
        StoredPanels{window.wavsPanel(), window.directoriesPanel(), window.playlistPanel(),
                     [&window] { return window.wavsOwnWidth(); }},
        *m_recent, m_toolbarLayout.get());
    WindowStateStore* state = m_windowState.get();
    QObject::connect(&window, &TfrmMain::firstShowing, &window, [state] { state->restore(); });
    QObject::connect(&window, &TfrmMain::closeAllowed, &window, [state] { state->save(); });

    auto* recentMenu = new RecentMenu(*m_recent, *window.reopenAction(), &window);
    QObject::connect(
        recentMenu, &RecentMenu::chosen, &window,
        errorboundary::guarded(prompt, [document = m_document.get()](const QString& path) {
            document->reopen(path);
        }));
}

// Each list's controller decides what a press, a release and a key do; a release may ask the
// playlist or the editor for more, as the click action says.
void AppRoot::bindLists(Prompt& prompt) {
    TfrmMain& window = *m_window;
    EditCommand& edit = *m_editCommand;
    const ReleaseHooks release{[&window] { return window.clickAction(); },
                               [adder = m_adder.get()] { adder->addSelected(); },
                               [&edit] { edit.editSelected(); }};
    const auto playRule = [&window] { window.DoCheckPlayControls(); };
    Browser& browser = *window.browser();
    m_fileListController = std::make_unique<FileListController>(
        std::make_unique<PlaybackSteps>(*m_playback),
        FileListController::Hooks{release, [&browser] { return browser.selectedWav(); },
                                  [&window] { window.DoCheckWavButtons(); }, playRule});
    bindFileList(*window.lbWavs(), *m_fileListController, &window, prompt);
    m_playlistListController = std::make_unique<PlaylistListController>(
        *window.lbPlaylist(), *window.playlistModel(), *m_playback,
        PlaylistListController::Hooks{release, [&window] { window.DoCheckPlaylistButtons(); },
                                      playRule});
    m_playlistListController->bind(&window, prompt);
}
