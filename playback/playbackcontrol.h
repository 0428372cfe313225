#pragma once

#include "playback/mediaplayer.h"

#include <QObject>
#include <QTimer>

// Where playback shows itself: the progress bar and the length panel of the status bar.
class PlaybackDisplay {
public:
    virtual ~PlaybackDisplay() = default;
    virtual void setProgress(int percent) = 0;
    virtual void setLengthText(const QString& text) = 0;
};

// The playback state and every routine that starts, repeats, stops, positions and shows the
// playing of one file. A looping play does not return: it keeps handling the program's events
// until a stop is asked for, so every other handler can run inside it; the flags below are the
// only channel between such nested handlers.
class PlaybackControl : public QObject {
    Q_OBJECT
public:
    PlaybackControl(MediaPlayer& player, PlaybackDisplay& display, QObject* parent = nullptr);

    struct Flags {
        bool stopRequest = false;
        bool startPending = true;
        bool loop = false;
        bool playlistAbort = false;
        bool playlistRunning = false;
    };
    Flags flags;

    MediaPlayer& player() { return m_player; }
    QTimer& timer() { return m_timer; }

    // Load step: sets the device's file name, opens it and shows the length.
    void loadStep(const QString& fileName);
    // Start step: start-pending set, stop-request cleared, then the play loop.
    void startStep(bool loop);
    // Closes the device and drops a start the play loop has not made yet: a release handled
    // inside the play its own press started (a quick click) leaves that loop nothing to start.
    void closeDevice();
    // The load step and the start step: the Play and Loop commands on a file.
    void playFile(const QString& fileName, bool loop);

    void DoPlayWav(bool loop);
    void DoStopAll();
    void DoShowWavLength();
    void DoSetWavPosition(int percent);
    void Timer1Timer();
    void ProgressBar1MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, int x,
                               int barWidth);
    void miControlsStopClick();
    // Esc, and a plain press on the progress bar: ends playback and a running playlist.
    void abortAll();
    // What the file commands do before they touch a file.
    void stopForFileCommand();

    // The program is quitting: every play loop and playlist wait ends at its next turn.
    void requestQuit();
    bool quitRequested() const { return m_quitRequested; }
    // One turn of a wait: handles pending events, blocking until one arrives when `block`.
    static void processEventsTurn(bool block);

    static QString lengthText(qint64 ms);
    static int roundHalfEven(double value);

private:
    MediaPlayer& m_player;
    PlaybackDisplay& m_display;
    QTimer m_timer;
    bool m_quitRequested = false;
};
