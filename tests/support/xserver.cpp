#include "tests/support/xserver.h"
#include "tests/support/testenv.h"

#include <QApplication>
#include <QByteArray>
#include <QList>
#include <QWidget>
#include <QWindow>
#include <QtTest>

#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace {

// Starts a program found on PATH, quietly; it inherits the descriptors that are open now.
pid_t spawn(QList<QByteArray> arguments) {
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    std::vector<char*> argv;
    for (QByteArray& a : arguments)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    pid_t pid = -1;
    const int rc = posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    return rc == 0 ? pid : -1;
}

void stop(pid_t pid) {
    if (pid <= 0)
        return;
    ::kill(pid, SIGTERM);
    ::waitpid(pid, nullptr, 0);
}

} // namespace

PrivateXServer::~PrivateXServer() {
    stop(m_windowManager);
    stop(m_server);
}

bool PrivateXServer::fail(const QString& reason) {
    m_error = reason;
    return false;
}

bool PrivateXServer::start() {
    int fds[2];
    if (::pipe(fds) != 0)
        return fail(QStringLiteral("no pipe"));
    // Xvfb picks a free display and writes its number to the pipe once it accepts clients.
    m_server = spawn({"Xvfb", "-displayfd", QByteArray::number(fds[1]), "-screen", "0",
                      "1280x800x24", "-nolisten", "tcp"});
    ::close(fds[1]);
    if (m_server < 0) {
        ::close(fds[0]);
        return fail(QStringLiteral("Xvfb cannot be started (is it installed?)"));
    }
    QByteArray display;
    pollfd readable{fds[0], POLLIN, 0};
    char c = 0;
    while (::poll(&readable, 1, 20000) > 0 && ::read(fds[0], &c, 1) == 1 && c != '\n')
        display.append(c);
    ::close(fds[0]);
    if (display.isEmpty())
        return fail(QStringLiteral("Xvfb did not report a display"));
    qputenv("DISPLAY", ":" + display);
    m_windowManager = spawn({"openbox"});
    if (m_windowManager < 0)
        return fail(QStringLiteral("openbox cannot be started (is it installed?)"));
    return true;
}

bool isFramed(const QWidget& window) {
    const QMargins m = window.windowHandle()->frameMargins();
    return m.top() > 0 && m.left() >= 0 && m.right() >= 0 && m.bottom() >= 0;
}

bool waitForWindowManager() {
    for (int attempt = 0; attempt < 20; ++attempt) {
        QWidget probe;
        probe.show();
        if (QTest::qWaitFor([&] { return isFramed(probe); }, 1000))
            return true;
    }
    return false;
}

int runUnderWindowManager(int argc, char* argv[], const std::function<int()>& tests) {
    IsolatedEnvironment environment;
    PrivateXServer x;
    if (!x.start()) {
        std::fprintf(stderr, "FAIL: %s\n", qPrintable(x.error()));
        return 1;
    }
    qputenv("QT_QPA_PLATFORM", "xcb");
    QApplication app(argc, argv);
    if (!waitForWindowManager()) {
        std::fprintf(stderr, "FAIL: openbox framed no window\n");
        return 1;
    }
    return tests();
}
