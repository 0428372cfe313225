#include "ui/main/tfrmmain.h"

#include "base/configkeys.h"
#include "base/errorboundary.h"
#include "base/filepath.h"
#include "base/inistore.h"
#include "fileops/editcommand.h"
#include "playlist/playlistdocument.h"
#include "playlist/playlisteditor.h"
#include "playlist/playlistmodel.h"
#include "playlist/playlistrun.h"
#include "ui/browse/browser.h"
#include "ui/browse/listbox.h"
#include "ui/main/commandtargets.h"
#include "ui/main/listglance.h"
#include "ui/main/progressbar.h"
#include "ui/main/statuspanels.h"
#include "ui/persist/recentlist.h"
#include "ui/playlist/playlistadder.h"
#include "ui/toolbar/speedbar.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QKeyEvent>
#include <QLabel>
#include <QScreen>
#include <QSplitter>
#include <QStatusTipEvent>

#include <algorithm>

TfrmMain::TfrmMain(const MainParts& parts)
    : m_store(parts.store), m_prompt(&parts.prompt), m_player(&parts.player),
      m_playback(&parts.playback), m_openPath(parts.openPath) {
    setupLayout(*this, m_store, *m_prompt);
    m_recent = new RecentList(this);
    buildCommands();
    bindControls();
    bindPlaylist();
    bindListGlance({*this, *m_browser, *m_lbPlaylist, *m_playlist, *m_playback, *m_progressBar,
                    *m_prompt, [this](const QString& path) {
                        m_editor->DoAddStringToPlaylist(fileNamePart(path), directoryPart(path));
                    }});
    qApp->installEventFilter(this); // key preview: Esc wherever the focus is
}

TfrmMain::~TfrmMain() {
    qApp->removeEventFilter(this);
}

void TfrmMain::bindControls() {
    connect(lbWavs(), &ListBox::focusLeft, this, guarded([this] { clearWavSelection(); }));
    connect(m_lbPlaylist, &ListBox::focusLeft, this, guarded([this] { clearPlaylistSelection(); }));
    // Another program changed the shown directory: the rules run as after a copy.
    connect(m_browser, &Browser::filesFollowed, this, [this] {
        DoCheckWavButtons();
        DoCheckPlayControls();
    });
    connect(m_playback, &PlaybackControl::progressChanged, m_progressBar, &ProgressBar::setValue);
    connect(m_playback, &PlaybackControl::lengthTextChanged, this, &TfrmMain::setLengthText);
    connect(m_playback, &PlaybackControl::outputProblemChanged, this, &TfrmMain::setOutputProblem);
    connect(m_progressBar, &ProgressBar::pressed, this,
            guarded([this](Qt::MouseButton b, Qt::KeyboardModifiers m, int x) {
                m_playback->seekAtClick(b, m, x, m_progressBar->width());
            }));
}

// The playlist's objects, and the window showing what the playlist signals: the caption, the
// rules, and the panel with its list when a command asks for it.
void TfrmMain::bindPlaylist() {
    m_editor = std::make_unique<PlaylistEditor>(*m_playlist, *m_prompt, m_store);
    m_document = std::make_unique<PlaylistDocument>(*m_playlist, *m_editor, *m_prompt, m_store);
    m_run = std::make_unique<PlaylistRun>(*m_playlist, *m_playback, *m_prompt);
    m_adder = std::make_unique<PlaylistAdder>(*m_browser, *m_editor,
                                              [this](int row) { DoSetListFocus(row); });
    connect(m_document.get(), &PlaylistDocument::fileUsed, m_recent, &RecentList::add);
    connect(m_playlist, &PlaylistModel::currentFileChanged, this,
            [this](const QString& file) { setWindowTitle(PlaylistDocument::captionFor(file)); });
    connect(m_playlist, &PlaylistModel::ruleCheckRequested, this, [this](bool withPlayRule) {
        DoCheckPlaylistButtons();
        if (withPlayRule)
            DoCheckPlayControls();
    });
    connect(m_playlist, &PlaylistModel::showRequested, this, [this](bool withFocus) {
        if (!isPlaylistShown())
            DoShowPlaylist(true); // a hidden list cannot take the focus
        if (withFocus)
            m_lbPlaylist->setFocus();
    });
}

int TfrmMain::GetCurrentList() const {
    return focusWidget() == lbWavs() ? 0 : 1;
}

void TfrmMain::clearWavSelection() {
    lbWavs()->clearSelectedRow();
    DoCheckWavButtons();
    DoCheckPlayControls();
}

void TfrmMain::clearPlaylistSelection() {
    m_lbPlaylist->clearSelectedRow();
    DoCheckPlaylistButtons();
    DoCheckPlayControls();
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
    errorboundary::run(*m_prompt, [&] { canClose = mayClose(); });
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

bool TfrmMain::mayClose() {
    return m_document->canClose();
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

void TfrmMain::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    m_statusPanels->setFirstPanelWidth(frameGeometry().width() - 100);
}

bool TfrmMain::event(QEvent* event) {
    if (event->type() == QEvent::StatusTip) {
        const QString tip = static_cast<QStatusTipEvent*>(event)->tip();
        statusPanel(0)->setText(tip.isEmpty() ? m_outputNotice : tip);
        return true;
    }
    return QMainWindow::event(event);
}

bool TfrmMain::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_pnlDriveBox && event->type() == QEvent::Resize)
        pnlDriveBoxResize();
    if (event->type() == QEvent::KeyRelease && watched->isWidgetType() &&
        static_cast<QWidget*>(watched)->window() == this) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (!key->isAutoRepeat() && key->key() == Qt::Key_Escape) {
            errorboundary::run(*m_prompt, [this, k = key->key()] { abortOnEscape(k); });
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

void TfrmMain::abortOnEscape(int key) {
    if (key == Qt::Key_Escape)
        m_playback->abortAll();
}

void TfrmMain::setLengthText(const QString& text) {
    statusPanel(1)->setText(text);
    statusPanel(1)->setAccessibleName(text);
}

// The message box told the whole of it once; the panel keeps a short notice, the whole as its
// tooltip.
void TfrmMain::setOutputProblem(const QString& problem) {
    const QString notice = problem.isEmpty() ? QString() : QStringLiteral("No sound output");
    if (notice == m_outputNotice && statusPanel(0)->toolTip() == problem)
        return;
    if (statusPanel(0)->text() == m_outputNotice)
        statusPanel(0)->setText(notice);
    m_outputNotice = notice;
    statusPanel(0)->setToolTip(problem);
}

// The playlist panel and the view commands.

void TfrmMain::DoShowPlaylist(bool show) {
    // A resize would take a maximised window out of its state: a maximised or minimised window
    // keeps its size and only the panels change.
    const bool sizesWindow =
        !(windowState() & (Qt::WindowMaximized | Qt::WindowMinimized | Qt::WindowFullScreen));
    if (show) {
        // Not the width the browser half stretched to while it filled the window, which the
        // menu bar may have kept wider than the half, so the window gets back its width.
        const int wavsWidth = wavsOwnWidth();
        m_hiddenWavsWidth.reset();
        const int playlistWidth = m_pnlPlaylist->width();
        m_splitPlayList->addWidget(m_pnlPlaylist);
        m_pnlPlaylist->setVisible(true);
        // Panel widths read from the configuration file make no window wider than the screen.
        const QScreen* shownOn = screen();
        const int widest =
            shownOn ? shownOn->availableGeometry().width() - (frameGeometry().width() - width())
                    : QWIDGETSIZE_MAX;
        if (sizesWindow)
            resize(std::min(wavsWidth + playlistWidth + kSplitterWidth, widest), height());
        m_splitPlayList->setSizes({wavsWidth, playlistWidth});
    } else if (isPlaylistShown()) {
        const int wavsWidth = m_pnlWavs->width();
        m_hiddenWavsWidth = wavsWidth;
        m_pnlPlaylist->setVisible(false);
        // Out of the splitter while hidden, which would shrink a hidden child to nothing.
        m_pnlPlaylist->setParent(this);
        if (sizesWindow)
            resize(wavsWidth, height());
    }
    m_speedBar->setItemDown(QStringLiteral("sbShowPlaylist"), show);
    action(CommandId::ShowPlaylist)->setChecked(show);
}

bool TfrmMain::isPlaylistShown() const {
    return !m_pnlPlaylist->isHidden();
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

// Playback commands.

QString TfrmMain::currentListFile() const {
    if (GetCurrentList() == 0)
        return m_browser->selectedWav();
    const int row = m_lbPlaylist->selectedRow();
    return row >= 0 && row < m_playlist->count() ? m_playlist->path(row) : QString();
}

void TfrmMain::playCurrent() {
    const QString file = currentListFile();
    if (!file.isEmpty())
        m_playback->playFile(file, false);
}

void TfrmMain::loopCurrent() {
    const QString file = currentListFile();
    if (!file.isEmpty())
        m_playback->playFile(file, true);
}

void TfrmMain::stopPlaying() {
    m_playback->stopPlaying();
}

void TfrmMain::exitProgram() {
    m_playback->timer().stop();
    m_player->close();
    close();
}
