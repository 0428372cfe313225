#pragma once

#include "ui/persist/formstorage.h"
#include "ui/persist/windowplacement.h"

#include <array>
#include <functional>

class IniStore;
class Prompt;
class QWidget;
class RecentList;
class IniLink;

// The panels whose widths the window keeps between runs.
struct StoredPanels {
    QWidget* wavs = nullptr;        // the browser half: directory tree and file list together
    QWidget* directories = nullptr; // the directory tree's column
    QWidget* playlist = nullptr;
    // The browser half's own width where it differs from the width it is shown at; empty: the
    // shown width.
    std::function<int()> wavsWidth;
};

// The main window's four storage components. The window calls restore() when it is first shown,
// before its own show steps, and save() once its close query has allowed the close, before its
// close steps. Destroying this object saves what was restored but not saved yet, with "Visible"
// as "1". A failure is shown through the error boundary; the show or the close goes on.
class WindowStateStore {
public:
    WindowStateStore(IniStore& store, Prompt& prompt, QWidget& window, const StoredPanels& panels,
                     RecentList& recent, IniLink* toolbarLayout);
    ~WindowStateStore();
    WindowStateStore(const WindowStateStore&) = delete;
    WindowStateStore& operator=(const WindowStateStore&) = delete;

    void restore();
    void save();

private:
    std::array<FormStorage*, 4> restoreOrder();
    std::array<FormStorage*, 4> saveOrder();

    Prompt& m_prompt;             // shows a failed write
    WindowPlacement* m_placement; // owned by the window, so it sees the window's events
    FormStorage m_panels;
    FormPlacement m_formPlacement;
    FormStorage m_toolbar;
    FormStorage m_mru;
    bool m_closeSaveDone = false;
};
