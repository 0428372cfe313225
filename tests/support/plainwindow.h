#pragma once

#include "ui/persist/recentlist.h"
#include "ui/persist/windowstatestore.h"

#include <QMainWindow>
#include <QStringList>

#include <memory>

class IniStore;
class Prompt;
class QAction;
class QMenu;
class QSplitter;
class RecentMenu;
class IniLink;

// "left,top,right,bottom" of an outer rectangle, as "NormPos" holds it.
QString normPos(const QRect& outer);

// A main window built by the tests, laid out as the program's: a File menu with Reopen, the
// browser half (directory column and file column in a splitter) and the playlist panel beside it
// in a second splitter, at the designed size. It hooks the window-state store where the program's
// window does: restore at the first show, save when the close is allowed.
class PlainWindow : public QMainWindow {
    Q_OBJECT
public:
    PlainWindow(IniStore& store, Prompt& prompt, IniLink* toolbarLayout = nullptr);
    ~PlainWindow() override;

    QWidget* pnlWavs = nullptr;
    QWidget* pnlDirectories = nullptr;
    QWidget* pnlPlaylist = nullptr;
    QSplitter* splitPlayList = nullptr;
    QSplitter* splitDirectories = nullptr;
    QMenu* fileMenu = nullptr;
    QAction* reopen = nullptr;
    RecentList recent;
    RecentMenu* recentMenu = nullptr;

    bool allowClose = true;      // the answer of the close query
    QStringList reopened;        // paths chosen from Reopen, in order
    QStringList menuAfterReopen; // the Reopen captions when the reopen handler has finished
    QStringList statusTips;      // every status hint the window was sent

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool event(QEvent* event) override;

private:
    bool m_shown = false;
    std::unique_ptr<WindowStateStore> m_state; // last, so it saves while the widgets still exist
};
