#include "ui/dialogs/helpviewer.h"

#include <QApplication>
#include <QFile>
#include <QTextBrowser>
#include <QUrl>
#include <QWindow>

namespace {
constexpr int kWidth = 640;
constexpr int kHeight = 520;

QString unavailableText(const QString& path, const QString& reason) {
    return QStringLiteral("<h2>Help is not available</h2>"
                          "<p>The help file <b>%1</b> could not be read: %2.</p>"
                          "<p>Reinstalling Sondrix puts it back in place.</p>")
        .arg(path.toHtmlEscaped(), reason.toHtmlEscaped());
}
} // namespace

HelpViewer::HelpViewer(QString helpFile) : m_helpFile(std::move(helpFile)) {}

HelpViewer::~HelpViewer() {
    delete m_window;
}

QTextBrowser* HelpViewer::window() const {
    return m_window;
}

QString HelpViewer::anchorFor(int context) {
    return QStringLiteral("context%1").arg(context);
}

void HelpViewer::showContext(int context) {
    if (!m_window) {
        m_window = new QTextBrowser;
        m_window->setWindowTitle(QStringLiteral("Help")); // the application title follows
        m_window->resize(kWidth, kHeight);
        // Left open, it must not keep the program running once the main window has closed.
        m_window->setAttribute(Qt::WA_QuitOnClose, false);
    }
    m_window->show();
    // A modal dialog blocks every window that is not its own; as the dialog's transient child
    // the viewer can be scrolled and its links followed while the dialog is open. The link is a
    // guarded pointer in the window system layer, so the viewer outlives the dialog.
    if (QWidget* modal = QApplication::activeModalWidget(); modal && modal->windowHandle())
        m_window->windowHandle()->setTransientParent(modal->windowHandle());
    load(context);
    m_window->raise();
    m_window->activateWindow();
}

void HelpViewer::load(int context) {
    QFile file(m_helpFile);
    if (!file.open(QIODevice::ReadOnly)) {
        m_window->setSource(QUrl());
        m_window->setHtml(unavailableText(m_helpFile, file.errorString()));
        return;
    }
    QUrl url = QUrl::fromLocalFile(m_helpFile);
    url.setFragment(anchorFor(context));
    m_window->setSource(url);
}
