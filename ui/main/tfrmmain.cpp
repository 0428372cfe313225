#include "ui/main/tfrmmain.h"

#include "base/configkeys.h"
#include "base/errorboundary.h"
#include "base/inistore.h"
#include "playlist/playlistdocument.h"
#include "playlist/playlisteditor.h"
#include "playlist/playlistmodel.h"
#include "ui/browse/browser.h"
#include "ui/browse/listbox.h"
#include "ui/main/currentlist.h"
#include "ui/main/progressbar.h"
#include "ui/main/statuspanels.h"
#include "ui/toolbar/speedbar.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QKeyEvent>

TfrmMain::TfrmMain(const MainParts& parts)
    : m_store(parts.store), m_prompt(&parts.prompt), m_player(&parts.player),
      m_playback(&parts.playback), m_openPath(parts.openPath) {
    setupLayout(*this, m_store, *m_prompt);
    buildCommands();
    bindControls();
    qApp->installEventFilter(this); // key preview: Esc wherever the focus is
}

TfrmMain::~TfrmMain() {
    qApp->removeEventFilter(this);
}

void TfrmMain::bindControls() {
    // A list that loses the focus loses its selection, and the commands follow.
    for (auto [list, rule] : {std::pair{lbWavs(), &TfrmMain::DoCheckWavButtons},
                              std::pair{m_lbPlaylist, &TfrmMain::DoCheckPlaylistButtons}})
        connect(list, &ListBox::focusLeft, this, guarded([this, list, rule] {
                    list->clearSelectedRow();
                    (this->*rule)();
                    DoCheckPlayControls();
                }));
    // Another program changed the shown directory: the rules run as after a copy.
    connect(m_browser, &Browser::filesFollowed, this, [this] {
        DoCheckWavButtons();
        DoCheckPlayControls();
    });
    connect(m_playback, &PlaybackControl::progressChanged, m_progressBar, &ProgressBar::setValue);
    connect(m_playback, &PlaybackControl::lengthTextChanged, m_statusPanels,
            &StatusPanels::showLength);
    connect(m_playback, &PlaybackControl::outputProblemChanged, m_statusPanels,
            &StatusPanels::showOutputProblem);
    connect(m_playlist, &PlaylistModel::currentFileChanged, this,
            [this](const QString& file) { setWindowTitle(PlaylistDocument::captionFor(file)); });
    connect(m_progressBar, &ProgressBar::pressed, this,
            guarded([this](Qt::MouseButton b, Qt::KeyboardModifiers m, int x) {
                m_playback->seekAtClick(b, m, x, m_progressBar->width());
            }));
}

void TfrmMain::checkPlaylistRules(bool withPlayRule) {
    DoCheckPlaylistButtons();
    if (withPlayRule)
        DoCheckPlayControls();
}

void TfrmMain::revealPlaylist(bool withFocus) {
    if (!isPlaylistShown())
        DoShowPlaylist(true); // a hidden list cannot take the focus
    if (withFocus)
        m_lbPlaylist->setFocus();
}

int TfrmMain::GetCurrentList() const {
    return CurrentList(*this).whichList();
}

// Showing and closing.

void TfrmMain::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (m_shown)
        return;
    m_shown = true;
    Q_EMIT firstShowing();
    errorboundary::run(*m_prompt, [this] { restoreShownState(); });
}

void TfrmMain::restoreShownState() {
    const bool toolbarVisible = m_store.readBool(
        QLatin1String(cfg::kSpeedbar), QLatin1String(cfg::kVisible), cfg::kVisibleDefault);
    m_speedBar->setVisible(toolbarVisible);
    action(CommandId::ViewToolbar)->setChecked(toolbarVisible);
    m_browser->showStartupPath(
        !m_openPath.isEmpty() ? m_openPath
                              : m_store.readString(QLatin1String(cfg::kDirectories),
                                                   QLatin1String(cfg::kStartup), QDir::homePath()));
    DoShowPlaylist(m_store.readBool(QLatin1String(cfg::kPlaylist), QLatin1String(cfg::kVisible),
                                    cfg::kVisibleDefault));
    DoCheckPlaylistButtons();
    DoCheckWavButtons(); // last, as after a click: a file selected at start can be edited
    DoCheckPlayControls();
    readClickAction();
    lbWavs()->setFocus();
}

void TfrmMain::closeEvent(QCloseEvent* event) {
    bool canClose = false; // a save that fails keeps the window open
    errorboundary::run(*m_prompt, [&] { canClose = !m_mayClose || m_mayClose(); });
    if (!canClose) {
        event->ignore();
        return;
    }
    // A failed write is shown and the window closes all the same, so the user can always end
    // the program.
    // Everything the close stores reaches the file in one write, so a file that cannot be
    // written is reported once.
    errorboundary::run(*m_prompt, [this] {
        IniStore::WriteBatch batch(m_store);
        Q_EMIT closeAllowed();
        storeOnClose();
        batch.commit();
    });
    m_playback->requestQuit();
    event->accept();
}

void TfrmMain::storeOnClose() {
    m_player->close();
    m_progressBar->setValue(0);
    m_store.writeBool(QLatin1String(cfg::kSpeedbar), QLatin1String(cfg::kVisible),
                      m_speedBar->isVisible());
    m_store.writeString(QLatin1String(cfg::kDirectories), QLatin1String(cfg::kStartup),
                        m_browser->browserDirectory());
    m_store.writeBool(QLatin1String(cfg::kPlaylist), QLatin1String(cfg::kVisible),
                      isPlaylistShown());
}

bool TfrmMain::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_pnlDriveBox && event->type() == QEvent::Resize)
        fitDriveSelector();
    if (event->type() == QEvent::KeyRelease && watched->isWidgetType() &&
        static_cast<QWidget*>(watched)->window() == this) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (!key->isAutoRepeat() && key->key() == Qt::Key_Escape) {
            errorboundary::run(*m_prompt, [this] { m_playback->abortAll(); });
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void TfrmMain::readClickAction() {
    m_clickAction = m_store.readInteger(QLatin1String(cfg::kPreferences),
                                        QLatin1String(cfg::kSingleClick), cfg::kSingleClickDefault);
}

void TfrmMain::preferencesChanged() {
    m_playlist->rebuildDisplay(playlistShowPathPreference(m_store));
    readClickAction();
    DoCheckPlaylistButtons();
    DoCheckPlayControls();
}

// The view commands.

void TfrmMain::DoShowPlaylist(bool show) {
    placePlaylistPanel(*this, show);
    m_speedBar->setItemDown(QStringLiteral("sbShowPlaylist"), show);
    action(CommandId::ShowPlaylist)->setChecked(show);
}

void TfrmMain::togglePlaylist() {
    DoShowPlaylist(!isPlaylistShown());
}

// The menu item toggles its own check before this runs, so the check is set from the toolbar,
// never inverted.
void TfrmMain::toggleToolbar() {
    const bool show = m_speedBar->isHidden();
    m_speedBar->setVisible(show);
    action(CommandId::ViewToolbar)->setChecked(show);
}

void TfrmMain::exitProgram() {
    m_playback->timer().stop();
    m_player->close();
    close();
}
