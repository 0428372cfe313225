#pragma once

#include "base/errorboundary.h"
#include "playback/playbackcontrol.h"
#include "ui/main/commandmenus.h"
#include "ui/main/mainlayout.h"

#include <QMainWindow>

#include <memory>

class IniStore;
class MediaPlayer;
class PlaylistAdder;
class PlaylistDocument;
class PlaylistEditor;
class PlaylistRun;
class RecentList;
class Prompt;
struct CommandState;
struct CommandTargets;

// What the window is given by the program's root; they outlive the window.
struct MainParts {
    IniStore& store;
    Prompt& prompt;
    MediaPlayer& player;
    PlaybackControl& playback;
    // A folder or file named on the command line, shown at start instead of the stored folder.
    QString openPath;
};

// The main window: the browser, the playlist, the progress bar and the status bar. It lays them
// out, binds the command table to the subsystems, applies the command rules and shows what the
// subsystems signal.
class TfrmMain : public QMainWindow, public MainLayout {
    Q_OBJECT
public:
    explicit TfrmMain(const MainParts& parts);
    ~TfrmMain() override;

    QAction* action(CommandId id) const { return m_menus.action(id); }
    // The playlist's objects, which its commands act on.
    PlaylistDocument& document() const { return *m_document; }
    PlaylistEditor& playlistEditor() const { return *m_editor; }
    PlaylistRun& playlistRun() const { return *m_run; }
    PlaylistAdder& playlistAdder() const { return *m_adder; }
    RecentList* recentList() const { return m_recent; }
    PlaybackControl* playback() const { return m_playback; }
    QAction* reopenAction() const { return m_menus.reopen; }
    QMenu* popupMenu(PopupMenu menu) const { return m_menus.popup(menu); }
    int clickAction() const { return m_clickAction; }

    // Runs each command's handler on `targets`, which outlive the window.
    void bindCommands(CommandTargets& targets);
    // The stored settings may have changed: the playlist display and the click action follow.
    void preferencesChanged();

    // Command state rules.
    void DoCheckWavButtons();
    void DoCheckPlaylistButtons();
    void DoCheckPlayControls();
    void DoCheckPopUpMenus();
    int GetCurrentList() const;
    void DoSetListFocus(int index);

    void DoShowPlaylist(bool show);

    // Handlers of the window's own controls.
    void clearWavSelection();
    void clearPlaylistSelection();
    void abortOnEscape(int key);

    void exitProgram();
    void playCurrent();
    void loopCurrent();
    void stopPlaying();
    void toggleToolbar();
    void togglePlaylist();

Q_SIGNALS:
    // At the first show, before the window's own show steps.
    void firstShowing();
    // The close was allowed, before the window's own close steps.
    void closeAllowed();

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void setLengthText(const QString& text);
    void setOutputProblem(const QString& problem);

    bool isPlaylistShown() const;

    void buildCommands();
    // A slot that shows through the prompt what `handler` raises.
    template <typename F> auto guarded(F handler) {
        return errorboundary::guarded(*m_prompt, handler);
    }
    void bindControls();
    void bindPlaylist();
    void applyStates(const QList<CommandState>& states);
    void restoreShownState();
    bool mayClose();
    void storeOnClose();
    void readClickAction();
    // The selected file of the current list: a bare name in the browser directory, or a path.
    QString currentListFile() const;

    IniStore& m_store;
    Prompt* m_prompt;
    MediaPlayer* m_player;
    PlaybackControl* m_playback;
    std::unique_ptr<PlaylistEditor> m_editor;
    std::unique_ptr<PlaylistDocument> m_document;
    std::unique_ptr<PlaylistRun> m_run;
    std::unique_ptr<PlaylistAdder> m_adder;
    RecentList* m_recent = nullptr;
    CommandTargets* m_targets = nullptr; // set by bindCommands

    CommandMenus m_menus;
    int m_clickAction = 0;
    // The notice status panel 0 shows while there is no sound output, between hints.
    QString m_outputNotice;
    bool m_shown = false;
    QString m_openPath;
};
