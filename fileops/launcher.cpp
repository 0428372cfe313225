#include "fileops/launcher.h"

#include "fileops/childprocess.h"
#include "fileops/launcherror.h"

#include <QDir>
#include <QFile>

#include <fcntl.h>
#include <unistd.h>

namespace {

bool isWebAddress(const QByteArray& name) {
    if (name.startsWith('/'))
        return false;
    const QUrl url(QString::fromUtf8(name), QUrl::StrictMode);
    return url.isValid() && url.scheme().size() > 1;
}

// A relative program path means the caller's working directory, not the child's new one.
QByteArray absoluteProgram(const QByteArray& program) {
    if (program.startsWith('/'))
        return program;
    return QFile::encodeName(QDir::currentPath()) + '/' + program;
}

} // namespace

Launcher::Launcher(UrlOpener openUrl, QObject* parent)
    : QObject(parent), m_openUrl(std::move(openUrl)) {
    m_timer.setInterval(kPollIntervalMs);
    connect(&m_timer, &QTimer::timeout, this, &Launcher::pollWatched);
}

Launcher::~Launcher() {
    stopWatching();
}

void Launcher::StartProgram() {
    if (isWebAddress(m_programName)) {
        startWebAddress();
        return;
    }
    const ChildProcess child =
        startChildProcess(absoluteProgram(m_programName), m_parameters, m_startDir);
    const int watchFd = fcntl(child.pidfd, F_DUPFD_CLOEXEC, 0);
    reapWhenEnded(child);
    stopWatching();
    if (watchFd < 0)
        return; // started, but no descriptor is left to watch it with
    m_watchFd = watchFd;
    m_watchedPid = child.pid;
    m_timer.start();
}

void Launcher::startWebAddress() {
    // The desktop's handler runs on its own; there is no process of ours to watch.
    const QUrl url(QString::fromUtf8(m_programName), QUrl::StrictMode);
    if (!m_openUrl || !m_openUrl(url))
        throw ELaunchError(launchcode::kNoAssociation);
}

void Launcher::pollWatched() {
    if (!hasEnded(m_watchFd))
        return;
    stopWatching();
    Q_EMIT OnFinished();
}

void Launcher::stopWatching() {
    m_timer.stop();
    if (m_watchFd >= 0)
        close(m_watchFd);
    m_watchFd = -1;
    m_watchedPid = -1;
}
