#pragma once

#include <QString>

#include <sys/types.h>

#include <functional>

// A private X server (Xvfb on a display it picks itself) with the openbox window manager, for a
// test that needs real window frames. Both processes end with this object.
class PrivateXServer {
public:
    PrivateXServer() = default;
    ~PrivateXServer();
    PrivateXServer(const PrivateXServer&) = delete;
    PrivateXServer& operator=(const PrivateXServer&) = delete;

    // Starts both and points DISPLAY at the server; false, with the reason in error(), when either
    // cannot be started.
    bool start();
    const QString& error() const { return m_error; }

private:
    bool fail(const QString& reason);

    pid_t m_server = -1;
    pid_t m_windowManager = -1;
    QString m_error;
};

class QWidget;

// Framed by the window manager: a title bar above. While it reparents the window, Qt may measure
// the frame from a parent that is not sized yet, and such negative margins are no frame.
bool isFramed(const QWidget& window);

// The window manager starts after the server: a window mapped before it manages the screen may
// stay unframed, so probe windows are shown until one is framed.
bool waitForWindowManager();

// The main() of a test that needs real frames: isolates the environment, starts the private
// server and window manager, creates the application on it and runs `tests`.
int runUnderWindowManager(int argc, char* argv[], const std::function<int()>& tests);
