#pragma once

#include <QByteArray>
#include <QObject>
#include <QTimer>
#include <QUrl>

#include <functional>
#include <sys/types.h>

// Starts an external program (the WAV editor) or opens a web address, and watches the most
// recent program it started until that program ends.
//
// The strings are bytes as the system takes them, so a path reaches the program exactly. A
// program is started without a shell, with `Parameters` as its one argument, in `StartDir`; it
// runs on when this program quits, and it is reaped when it ends, watched or not. A
// `ProgramName` with a URL scheme ("https:", "mailto:") is a web address and goes to the URL
// opener given at construction; without one, every web address is refused.
//
// States: idle (timer off) and watching (timer on, a pidfd of the started process held).
// `StartProgram` moves to watching; the end of the watched process, seen by the 1000 ms poll,
// moves back to idle and emits `OnFinished`. A new start replaces the watched process.
class Launcher : public QObject {
    Q_OBJECT
public:
    // Opens a web address with the desktop's handler; false when nothing takes it.
    using UrlOpener = std::function<bool(const QUrl&)>;
    static constexpr int kPollIntervalMs = 1000;

    explicit Launcher(UrlOpener openUrl = {}, QObject* parent = nullptr);
    ~Launcher() override;

    const QByteArray& ProgramName() const { return m_programName; }
    void setProgramName(const QByteArray& value) { m_programName = value; }
    const QByteArray& Parameters() const { return m_parameters; }
    void setParameters(const QByteArray& value) { m_parameters = value; }
    const QByteArray& StartDir() const { return m_startDir; }
    void setStartDir(const QByteArray& value) { m_startDir = value; }

    // Returns once the start was accepted or refused; raises ELaunchError on refusal.
    void StartProgram();

    bool isWatching() const { return m_watchFd >= 0; }
    // The process id of the watched process, -1 when idle.
    pid_t watchedProcessId() const { return m_watchedPid; }

Q_SIGNALS:
    void OnFinished();

private:
    void startWebAddress();
    void pollWatched();
    void stopWatching();

    UrlOpener m_openUrl;
    QByteArray m_programName;
    QByteArray m_parameters;
    QByteArray m_startDir;
    QTimer m_timer;
    int m_watchFd = -1;
    pid_t m_watchedPid = -1;
};
