#pragma once

#include "base/errorboundary.h"
#include "playback/playbackcontrol.h"
#include "ui/main/commandmenus.h"
#include "ui/main/mainlayout.h"

#include <QMainWindow>

#include <functional>

class IniStore;
class MediaPlayer;
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
    PlaybackControl* playback() const { return m_playback; }
    QAction* reopenAction() const { return m_menus.reopen; }
    QMenu* popupMenu(PopupMenu menu) const { return m_menus.popup(menu); }
    int clickAction() const { return m_clickAction; }

    // Runs each command's handler on `targets`, which outlive the window.
    void bindCommands(CommandTargets& targets);
    // Asked before the window closes; false keeps it open.
    void setCloseCheck(std::function<bool()> mayClose) { m_mayClose = std::move(mayClose); }
    // The stored settings may have changed: the playlist display and the click action follow.
    void preferencesChanged();

    // Command state rules.
    void DoCheckWavButtons();
    void DoCheckPlaylistButtons();
    void DoCheckPlayControls();
    void DoCheckPopUpMenus();
    int GetCurrentList() const;

    void DoShowPlaylist(bool show);
    // What the playlist's commands ask: the list shown, with the keyboard focus if `withFocus`;
    // the playlist rule, and the play rule if `withPlayRule`.
    void revealPlaylist(bool withFocus);
    void checkPlaylistRules(bool withPlayRule);
    void togglePlaylist();
    void toggleToolbar();
    void exitProgram();

Q_SIGNALS:
    // At the first show, before the window's own show steps.
    void firstShowing();
    // The close was allowed, before the window's own close steps.
    void closeAllowed();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void buildCommands();
    // A slot that shows through the prompt what `handler` raises.
    template <typename F> auto guarded(F handler) {
        return errorboundary::guarded(*m_prompt, handler);
    }
    void bindControls();
    void applyStates(const QList<CommandState>& states);
    void restoreShownState();
    void storeOnClose();
    void readClickAction();

    IniStore& m_store;
    Prompt* m_prompt;
    MediaPlayer* m_player;
    PlaybackControl* m_playback;
    std::function<bool()> m_mayClose;
    CommandMenus m_menus;
    int m_clickAction = 0;
    bool m_shown = false;
    QString m_openPath;
};
