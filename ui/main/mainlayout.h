#pragma once

#include <optional>

class Browser;
class IniStore;
class ListBox;
class PlaylistModel;
class ProgressBar;
class Prompt;
class QLabel;
class QMainWindow;
class QSplitter;
class QWidget;
class SpeedBar;
class StatusPanels;

// The main window's controls, made and placed at design size by setupLayout. The window inherits
// them, as a window inherits the form a designer made for it.
class MainLayout {
public:
    // The controls, for the subsystems and for tests.
    SpeedBar* speedBar() const { return m_speedBar; }
    Browser* browser() const { return m_browser; }
    ListBox* lbWavs() const;
    ListBox* lbPlaylist() const { return m_lbPlaylist; }
    PlaylistModel* playlistModel() const { return m_playlist; }
    ProgressBar* progressBar() const { return m_progressBar; }
    QLabel* statusPanel(int index) const;
    QWidget* playlistPanel() const { return m_pnlPlaylist; }
    QWidget* wavsPanel() const { return m_pnlWavs; }
    QWidget* directoriesPanel() const { return m_pnlDirectories; }
    // The browser half's own width: while the playlist panel is hidden the half fills the window,
    // and its own width is the one it had when the panel was hidden.
    int wavsOwnWidth() const;
    bool isPlaylistShown() const;

protected:
    // The handle between the panels, also counted when the playlist panel widens the window.
    static constexpr int kSplitterWidth = 4;

    // The browser reads and writes `store` and reports its failures through `prompt`. The window
    // passes the resizes of the drive panel on to fitDriveSelector.
    void setupLayout(QMainWindow& window, IniStore& store, Prompt& prompt);
    void fitDriveSelector();
    // Shows or hides the playlist half; a window in its normal state widens or narrows by it.
    void placePlaylistPanel(QMainWindow& window, bool show);

    SpeedBar* m_speedBar = nullptr;
    Browser* m_browser = nullptr;
    PlaylistModel* m_playlist = nullptr;
    ListBox* m_lbPlaylist = nullptr;
    ProgressBar* m_progressBar = nullptr;
    StatusPanels* m_statusPanels = nullptr;
    QWidget* m_pnlWavs = nullptr;
    QWidget* m_pnlPlaylist = nullptr;
    QWidget* m_pnlDirectories = nullptr;
    QWidget* m_pnlDriveBox = nullptr;
    QSplitter* m_splitPlayList = nullptr;
    std::optional<int> m_hiddenWavsWidth; // while the playlist panel is hidden
};
