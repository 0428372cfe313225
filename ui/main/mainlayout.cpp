#include "ui/main/mainlayout.h"

#include "playlist/playlistmodel.h"
#include "ui/browse/browser.h"
#include "ui/browse/directorylist.h"
#include "ui/browse/drivecombo.h"
#include "ui/browse/listbox.h"
#include "ui/main/commandtable.h"
#include "ui/main/progressbar.h"
#include "ui/main/statuspanels.h"
#include "ui/toolbar/speedbar.h"
#include "ui/toolbar/speedbardock.h"
#include "ui/toolbar/speedsetupwindow.h"

#include <QItemSelectionModel>
#include <QLabel>
#include <QMainWindow>
#include <QScreen>
#include <QSplitter>
#include <QVBoxLayout>

namespace {

constexpr int kHelpContextMain = 1;
constexpr int kInnerBorder = 4;

QWidget* panel(const QString& name, QWidget* parent) {
    auto* widget = new QWidget(parent);
    widget->setObjectName(name);
    widget->setProperty("helpContext", kHelpContextMain);
    return widget;
}

QVBoxLayout* column(QWidget* owner, int border) {
    auto* layout = new QVBoxLayout(owner);
    layout->setContentsMargins(border, border, border, border);
    layout->setSpacing(0);
    return layout;
}

QLabel* caption(const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setAlignment(Qt::AlignCenter);
    label->setFixedHeight(14);
    return label;
}

void nameControl(QWidget* widget, const QString& objectName, const QString& accessibleName) {
    widget->setObjectName(objectName);
    widget->setAccessibleName(accessibleName);
    widget->setProperty("helpContext", kHelpContextMain);
}

} // namespace

ListBox* MainLayout::lbWavs() const {
    return m_browser->wavs();
}

int MainLayout::wavsOwnWidth() const {
    return m_hiddenWavsWidth.value_or(m_pnlWavs->width());
}

bool MainLayout::isPlaylistShown() const {
    return !m_pnlPlaylist->isHidden();
}

QLabel* MainLayout::statusPanel(int index) const {
    return m_statusPanels->panel(index);
}

void MainLayout::setupLayout(QMainWindow& window, IniStore& store, Prompt& prompt) {
    window.setWindowTitle(QStringLiteral("Sondrix"));
    window.setFont(QFont(QStringLiteral("Arial"), 8));
    window.setProperty("helpContext", kHelpContextMain);
    window.setGeometry(417, 109, 504, 371);

    auto* central = panel(QStringLiteral("central"), &window);
    auto* outer = column(central, 0);
    window.setCentralWidget(central);

    m_speedBar = new SpeedBar(firstRunToolbar(), central);
    m_speedBar->setObjectName(QStringLiteral("SpeedBar1"));
    m_speedBar->setContextMenuPolicy(Qt::CustomContextMenu);
    m_speedBar->setCustomizeDialogMaker(
        [bar = m_speedBar](int helpTopic) { return new SpeedbarSetupWindow(bar, helpTopic); });

    m_splitPlayList = new QSplitter(Qt::Horizontal, central);
    m_splitPlayList->setObjectName(QStringLiteral("splitPlayList"));
    m_splitPlayList->setHandleWidth(kSplitterWidth);
    m_splitPlayList->setChildrenCollapsible(false);
    outer->addWidget(new SpeedBarDock(m_speedBar, m_splitPlayList, central), 1);

    // The browser half.
    m_pnlWavs = panel(QStringLiteral("pnlWavs"), m_splitPlayList);
    auto* splitDirectories = new QSplitter(Qt::Horizontal, m_pnlWavs);
    splitDirectories->setObjectName(QStringLiteral("splitDirectories"));
    splitDirectories->setHandleWidth(kSplitterWidth);
    splitDirectories->setChildrenCollapsible(false);
    column(m_pnlWavs, 0)->addWidget(splitDirectories);

    m_browser = new Browser(store, prompt, &window);
    m_pnlDirectories = panel(QStringLiteral("pnlDirectories"), splitDirectories);
    QWidget* pnlDirectories = m_pnlDirectories;
    auto* directories = column(pnlDirectories, kInnerBorder);
    directories->addWidget(caption(QStringLiteral("Directory List"), pnlDirectories));
    DirectoryList* directoryList = m_browser->directories();
    directoryList->setParent(pnlDirectories);
    nameControl(directoryList, QStringLiteral("DirectoryListBox1"),
                QStringLiteral("Directory List"));
    directories->addWidget(directoryList, 1);
    m_pnlDriveBox = panel(QStringLiteral("pnlDriveBox"), pnlDirectories);
    m_pnlDriveBox->setFixedHeight(28);
    DriveCombo* drives = m_browser->drives();
    drives->setParent(m_pnlDriveBox);
    nameControl(drives, QStringLiteral("DriveComboBox1"), QStringLiteral("Drive"));
    drives->move(2, 4);
    m_pnlDriveBox->installEventFilter(&window); // the window passes its resizes on
    directories->addWidget(m_pnlDriveBox);

    auto* pnlFiles = panel(QStringLiteral("pnlFiles"), splitDirectories);
    auto* files = column(pnlFiles, kInnerBorder);
    files->addWidget(caption(QStringLiteral("File List"), pnlFiles));
    ListBox* wavs = m_browser->wavs();
    wavs->setParent(pnlFiles);
    nameControl(wavs, QStringLiteral("lbWavs"), QStringLiteral("File List"));
    files->addWidget(wavs, 1);
    splitDirectories->addWidget(pnlDirectories);
    splitDirectories->addWidget(pnlFiles);
    splitDirectories->setStretchFactor(0, 0);
    splitDirectories->setStretchFactor(1, 1);
    splitDirectories->setSizes({145, 313 - 145 - kSplitterWidth});

    // The playlist half.
    m_pnlPlaylist = panel(QStringLiteral("pnlPlaylist"), m_splitPlayList);
    auto* playlistColumn = column(m_pnlPlaylist, kInnerBorder);
    playlistColumn->addWidget(caption(QStringLiteral("Play List"), m_pnlPlaylist));
    m_playlist = new PlaylistModel(&window);
    m_lbPlaylist = new ListBox(m_pnlPlaylist);
    m_lbPlaylist->setModel(m_playlist);
    QItemSelectionModel* ownSelection = m_lbPlaylist->selectionModel();
    m_lbPlaylist->setSelectionModel(m_playlist->selectionModel()); // the playlist's selection
    delete ownSelection;
    nameControl(m_lbPlaylist, QStringLiteral("lbPlaylist"), QStringLiteral("Play List"));
    playlistColumn->addWidget(m_lbPlaylist, 1);
    m_splitPlayList->addWidget(m_pnlWavs);
    m_splitPlayList->addWidget(m_pnlPlaylist);
    m_splitPlayList->setStretchFactor(0, 0);
    m_splitPlayList->setStretchFactor(1, 1);
    m_splitPlayList->setSizes({313, 187});

    auto* pnlProgress = new QFrame(central);
    pnlProgress->setObjectName(QStringLiteral("pnlProgress"));
    pnlProgress->setFrameShape(QFrame::HLine); // only the top edge is drawn
    pnlProgress->setFixedHeight(21);
    auto* progressColumn = column(pnlProgress, 0);
    progressColumn->addStretch(1);
    m_progressBar = new ProgressBar(pnlProgress);
    m_progressBar->setRange(0, 100);
    m_progressBar->setValue(0);
    m_progressBar->setTextVisible(false);
    m_progressBar->setFixedHeight(16);
    nameControl(m_progressBar, QStringLiteral("ProgressBar1"), QStringLiteral("Progress"));
    progressColumn->addWidget(m_progressBar);
    outer->addWidget(pnlProgress);

    m_statusPanels = new StatusPanels(central);
    m_statusPanels->setObjectName(QStringLiteral("StatusBar1"));
    window.installEventFilter(m_statusPanels);
    outer->addWidget(m_statusPanels);
}

void MainLayout::fitDriveSelector() {
    m_browser->drives()->setFixedWidth(m_pnlDriveBox->width() - 4);
}

void MainLayout::placePlaylistPanel(QMainWindow& window, bool show) {
    // A resize would take a maximised window out of its state: a maximised or minimised window
    // keeps its size and only the panels change.
    const bool sizesWindow = !(window.windowState() &
                               (Qt::WindowMaximized | Qt::WindowMinimized | Qt::WindowFullScreen));
    if (show) {
        // Not the width the browser half stretched to while it filled the window, which the
        // menu bar may have kept wider than the half, so the window gets back its width.
        const int wavsWidth = wavsOwnWidth();
        m_hiddenWavsWidth.reset();
        const int playlistWidth = m_pnlPlaylist->width();
        m_splitPlayList->addWidget(m_pnlPlaylist);
        m_pnlPlaylist->setVisible(true);
        // Panel widths read from the configuration file make no window wider than the screen.
        const QScreen* shownOn = window.screen();
        const int widest = shownOn ? shownOn->availableGeometry().width() -
                                         (window.frameGeometry().width() - window.width())
                                   : QWIDGETSIZE_MAX;
        if (sizesWindow)
            window.resize(std::min(wavsWidth + playlistWidth + kSplitterWidth, widest),
                          window.height());
        m_splitPlayList->setSizes({wavsWidth, playlistWidth});
    } else if (isPlaylistShown()) {
        const int wavsWidth = m_pnlWavs->width();
        m_hiddenWavsWidth = wavsWidth;
        m_pnlPlaylist->setVisible(false);
        // Out of the splitter while hidden, which would shrink a hidden child to nothing.
        m_pnlPlaylist->setParent(&window);
        if (sizesWindow)
            window.resize(wavsWidth, window.height());
    }
}
