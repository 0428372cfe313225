#include "fileops/childprocess.h"

#include "fileops/launcherror.h"

#include <QCoreApplication>
#include <QSocketNotifier>

#include <array>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <linux/close_range.h>
#include <linux/sched.h>
#include <poll.h>
#include <pthread.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// What the child reports through its close-on-exec pipe when it cannot load the program.
struct ChildFailure {
    int stage;
    int errorNumber;
};

// Runs in the new child, where only async-signal-safe calls are allowed: everything it needs was
// prepared by the parent.
[[noreturn]] void runChild(const char* program, char* const* argv, const char* directory,
                           int reportFd) {
    // Signals arrive blocked. This program's handlers must not run here, and the editor starts
    // with every signal at its default and none blocked.
    struct sigaction defaultAction {};
    defaultAction.sa_handler = SIG_DFL;
    for (int number = 1; number < NSIG; ++number) {
        struct sigaction current {};
        if (sigaction(number, nullptr, &current) == 0 && current.sa_handler != SIG_DFL)
            sigaction(number, &defaultAction, nullptr);
    }
    sigset_t none;
    sigemptyset(&none);
    sigprocmask(SIG_SETMASK, &none, nullptr);
    setsid();
    // Descriptors this program opened without close-on-exec are not the editor's business.
    syscall(SYS_close_range, 3U, ~0U, CLOSE_RANGE_CLOEXEC);

    ChildFailure failure{static_cast<int>(LaunchStage::ChangeDirectory), 0};
    if (!directory || chdir(directory) == 0) {
        execv(program, argv);
        failure.stage = static_cast<int>(LaunchStage::Execute);
    }
    failure.errorNumber = errno;
    [[maybe_unused]] const ssize_t written = write(reportFd, &failure, sizeof failure);
    _exit(127);
}

// A fork that hands back a pidfd made together with the child, so the descriptor can never
// refer to another process. The child returns 0 like from fork().
pid_t cloneWithPidfd(int* pidfd) {
    clone_args args{};
    args.flags = CLONE_PIDFD;
    args.pidfd = reinterpret_cast<quint64>(pidfd);
    args.exit_signal = SIGCHLD;
    return static_cast<pid_t>(syscall(SYS_clone3, &args, sizeof args));
}

ChildFailure readChildReport(int fd) {
    ChildFailure failure{-1, 0};
    ssize_t got;
    do {
        got = read(fd, &failure, sizeof failure);
    } while (got < 0 && errno == EINTR);
    if (got != static_cast<ssize_t>(sizeof failure))
        failure.stage = -1; // end of file: the program was loaded and the pipe closed with it
    return failure;
}

// The launch error code of a failure the child reported.
int failureCode(const ChildFailure& failure, const QByteArray& program) {
    auto stage = static_cast<LaunchStage>(failure.stage);
    struct stat st {};
    const QByteArray folder = program.left(program.lastIndexOf('/') + 1);
    if (stage == LaunchStage::Execute && failure.errorNumber == ENOENT &&
        (::stat(folder.constData(), &st) != 0 || !S_ISDIR(st.st_mode)))
        stage = LaunchStage::LocateProgram;
    return launchErrorCode(stage, failure.errorNumber);
}

} // namespace

ChildProcess startChildProcess(const QByteArray& program, const QByteArray& argument,
                               const QByteArray& directory) {
    // execv's argument vector is not const for historical reasons; it is not written to.
    std::array<char*, 3> argv{
        const_cast<char*>(program.constData()),
        argument.isEmpty() ? nullptr : const_cast<char*>(argument.constData()), nullptr};
    std::array<int, 2> report{};
    if (pipe2(report.data(), O_CLOEXEC) != 0)
        throw ELaunchError(launchErrorCode(LaunchStage::Execute, errno));

    // No signal handler of this program may run in the child before it has reset them.
    sigset_t all;
    sigset_t previous;
    sigfillset(&all);
    pthread_sigmask(SIG_SETMASK, &all, &previous);
    ChildProcess child;
    child.pid = cloneWithPidfd(&child.pidfd);
    if (child.pid == 0)
        runChild(program.constData(), argv.data(),
                 directory.isEmpty() ? nullptr : directory.constData(), report[1]);
    const int cloneError = errno;
    pthread_sigmask(SIG_SETMASK, &previous, nullptr);
    close(report[1]);
    if (child.pid < 0) {
        close(report[0]);
        throw ELaunchError(launchErrorCode(LaunchStage::Execute, cloneError));
    }

    const ChildFailure failure = readChildReport(report[0]);
    close(report[0]);
    if (failure.stage < 0)
        return child;
    // The child has reported and exits at once: reap it here.
    int status = 0;
    while (waitpid(child.pid, &status, 0) < 0 && errno == EINTR) {
    }
    close(child.pidfd);
    throw ELaunchError(failureCode(failure, program));
}

bool hasEnded(int pidfd) {
    pollfd entry{pidfd, POLLIN, 0};
    return poll(&entry, 1, 0) > 0;
}

namespace {

// Reaps one child when its pidfd turns readable, then deletes itself.
class ChildReaper : public QObject {
public:
    explicit ChildReaper(const ChildProcess& child)
        : QObject(QCoreApplication::instance()), m_child(child),
          m_notifier(child.pidfd, QSocketNotifier::Read, this) {
        connect(&m_notifier, &QSocketNotifier::activated, this, &ChildReaper::reap);
    }
    ~ChildReaper() override { close(m_child.pidfd); }

private:
    void reap() {
        int status = 0;
        const pid_t reaped = waitpid(m_child.pid, &status, WNOHANG);
        if (reaped == 0 || (reaped < 0 && errno == EINTR))
            return; // not ended after all: wait for the next notice
        m_notifier.setEnabled(false);
        deleteLater();
    }

    ChildProcess m_child;
    QSocketNotifier m_notifier;
};

} // namespace

void reapWhenEnded(const ChildProcess& child) {
    new ChildReaper(child);
}
