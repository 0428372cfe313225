#include "tests/support/plainwindow.h"

#include "ui/persist/recentmenu.h"

#include <QCloseEvent>
#include <QMenuBar>
#include <QSplitter>
#include <QStatusTipEvent>
#include <QVBoxLayout>

namespace {

QWidget* namedPanel(const char* name, QWidget* parent) {
    auto* panel = new QWidget(parent);
    panel->setObjectName(QLatin1String(name));
    return panel;
}

QSplitter* splitter(QWidget* parent) {
    auto* s = new QSplitter(Qt::Horizontal, parent);
    s->setHandleWidth(4);
    s->setChildrenCollapsible(false);
    return s;
}

} // namespace

QString normPos(const QRect& outer) {
    return QStringLiteral("%1,%2,%3,%4")
        .arg(outer.left())
        .arg(outer.top())
        .arg(outer.left() + outer.width())
        .arg(outer.top() + outer.height());
}

PlainWindow::PlainWindow(IniStore& store, Prompt& prompt, IniLink* toolbarLayout) {
    setGeometry(417, 109, 504, 371);
    fileMenu = menuBar()->addMenu(QStringLiteral("&File"));
    reopen = fileMenu->addMenu(new QMenu(QStringLiteral("&Reopen"), this));
    reopen->setEnabled(false);
    fileMenu->addAction(QStringLiteral("E&xit"));

    splitPlayList = splitter(this);
    setCentralWidget(splitPlayList);
    pnlWavs = namedPanel("pnlWavs", splitPlayList);
    splitDirectories = splitter(pnlWavs);
    auto* wavsColumn = new QVBoxLayout(pnlWavs);
    wavsColumn->setContentsMargins(0, 0, 0, 0);
    wavsColumn->addWidget(splitDirectories);
    pnlDirectories = namedPanel("pnlDirectories", splitDirectories);
    QWidget* pnlFiles = namedPanel("pnlFiles", splitDirectories);
    splitDirectories->addWidget(pnlDirectories);
    splitDirectories->addWidget(pnlFiles);
    splitDirectories->setStretchFactor(1, 1);
    pnlPlaylist = namedPanel("pnlPlaylist", splitPlayList);
    splitPlayList->addWidget(pnlWavs);
    splitPlayList->addWidget(pnlPlaylist);
    splitPlayList->setStretchFactor(1, 1);
    splitPlayList->setSizes({313, 187});
    splitDirectories->setSizes({145, 164});

    recentMenu = new RecentMenu(recent, *reopen, this);
    connect(recentMenu, &RecentMenu::chosen, this, [this](const QString& path) {
        reopened.append(path);
        recent.add(path); // as the playlist document does after a reopen
        menuAfterReopen.clear();
        for (const QAction* entry : reopen->menu()->actions())
            menuAfterReopen.append(entry->text());
    });
    m_state = std::make_unique<WindowStateStore>(
        store, prompt, *this, StoredPanels{pnlWavs, pnlDirectories, pnlPlaylist, {}}, recent,
        toolbarLayout);
}

PlainWindow::~PlainWindow() = default;

void PlainWindow::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (!m_shown) {
        m_shown = true;
        m_state->restore();
    }
}

void PlainWindow::closeEvent(QCloseEvent* event) {
    if (!allowClose) {
        event->ignore();
        return;
    }
    m_state->save();
    event->accept();
}

bool PlainWindow::event(QEvent* event) {
    if (event->type() == QEvent::StatusTip)
        statusTips.append(static_cast<QStatusTipEvent*>(event)->tip());
    return QMainWindow::event(event);
}
