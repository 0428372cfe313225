#include "app/approot.h"

#include "base/filepath.h"
#include "base/errorboundary.h"
#include "base/pathcodec.h"
#include "browse/filelistcontroller.h"
#include "fileops/desktopurlopener.h"
#include "fileops/editcommand.h"
#include "playback/mediaplayer.h"
#include "playback/playbackcontrol.h"
#include "playback/systemaudiooutput.h"
#include "playlist/playlistdocument.h"
#include "playlist/playlistmodel.h"
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
#include "ui/main/tfrmmain.h"
#include "ui/persist/inilink.h"
#include "ui/persist/recentlist.h"
#include "ui/persist/recentmenu.h"
#include "ui/persist/windowstatestore.h"
#include "ui/playlist/playlistadder.h"
#include "ui/playlist/playlistlistcontroller.h"
#include "ui/toolbar/speedbar.h"

#include <QCoreApplication>

namespace {

// The selected file of the window's current list as the bytes of its full path, for the
// external editor; empty for no selection.
QByteArray currentListPath(const TfrmMain& window) {
    const Browser& browser = *window.browser();
    if (window.GetCurrentList() == 0)
        return GetFixedDirectory(encodePath(browser.browserDirectory())) +
               encodePath(browser.selectedWav());
    const PlaylistModel& playlist = *window.playlistModel();
    const int row = window.lbPlaylist()->selectedRow();
    return row >= 0 && row < playlist.count() ? encodePath(playlist.path(row)) : QByteArray();
}

} // namespace

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
    bindSubsystems(*prompt, *help, services.openUrl ? services.openUrl : desktopUrlOpener());
    bindLists(*prompt);
    helplookup::installF1Help(m_window.get(), *help, *prompt); // wherever the focus is
}

AppRoot::~AppRoot() = default;

void AppRoot::bindSubsystems(Prompt& prompt, HelpService& help, Launcher::UrlOpener openUrl) {
    TfrmMain& window = *m_window;
    PlaybackControl& playback = *window.playback();
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
    m_editCommand = std::make_unique<EditCommand>(
        *launcher, prompt, m_store,
        EditCommand::Hooks{stopForFileCommand, [&window] { return currentListPath(window); }});

    SpeedBar* bar = window.speedBar();
    m_toolbarLayout = std::make_unique<CallbackIniLink>(
        [bar](IniStore& s) { bar->ReadLayout(s); }, [bar](IniStore& s) { bar->WriteLayout(s); });
    m_windowState = std::make_unique<WindowStateStore>(
        m_store, prompt, window,
        StoredPanels{window.wavsPanel(), window.directoriesPanel(), window.playlistPanel(),
                     [&window] { return window.wavsOwnWidth(); }},
        *window.recentList(), m_toolbarLayout.get());
    WindowStateStore* state = m_windowState.get();
    QObject::connect(&window, &TfrmMain::firstShowing, &window, [state] { state->restore(); });
    QObject::connect(&window, &TfrmMain::closeAllowed, &window, [state] { state->save(); });

    auto* recentMenu = new RecentMenu(*window.recentList(), *window.reopenAction(), &window);
    QObject::connect(recentMenu, &RecentMenu::chosen, &window,
                     errorboundary::guarded(prompt, [&window](const QString& path) {
                         window.document().reopen(path);
                     }));

    m_targets = std::make_unique<CommandTargets>(
        CommandTargets{window, m_store, prompt, help, *m_fileCommands, *m_editCommand, openUrl});
    window.bindCommands(*m_targets);
}

// Each list's controller decides what a press, a release and a key do; a release may ask the
// playlist or the editor for more, as the click action says.
void AppRoot::bindLists(Prompt& prompt) {
    TfrmMain& window = *m_window;
    EditCommand& edit = *m_editCommand;
    const ReleaseHooks release{[&window] { return window.clickAction(); },
                               [&window] { window.playlistAdder().addSelected(); },
                               [&edit] { edit.editSelected(); }};
    const auto playRule = [&window] { window.DoCheckPlayControls(); };
    Browser& browser = *window.browser();
    m_fileListController = std::make_unique<FileListController>(
        std::make_unique<PlaybackSteps>(*window.playback()),
        FileListController::Hooks{release, [&browser] { return browser.selectedWav(); },
                                  [&window] { window.DoCheckWavButtons(); }, playRule});
    bindFileList(*window.lbWavs(), *m_fileListController, &window, prompt);
    m_playlistListController = std::make_unique<PlaylistListController>(
        *window.lbPlaylist(), *window.playlistModel(), *window.playback(),
        PlaylistListController::Hooks{release, [&window] { window.DoCheckPlaylistButtons(); },
                                      playRule});
    m_playlistListController->bind(&window, prompt);
}
