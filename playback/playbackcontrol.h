#pragma once

#include "playback/mediaplayer.h"

#include <QObject>
#include <QTimer>

// The playback state and every routine that starts, repeats, stops, positions and shows the
// playing of one file. A looping play does not return: it keeps handling the program's events
// until a stop is asked for, so every other handler can run inside it; the flags are the only
// channel between such nested handlers, and only the operations below change them.
class PlaybackControl : public QObject {
    Q_OBJECT
public:
    explicit PlaybackControl(MediaPlayer& player, QObject* parent = nullptr);

    struct Flags {
        bool stopRequest = false;
        bool startPending = true;
        bool loop = false;
        bool playlistAbort = false;
        bool playlistRunning = false;
    };
    const Flags& flags() const { return m_flags; }

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
    void showPlayPosition();
    void seekAtClick(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, int x, int barWidth);
    void stopPlaying();
    // Esc, and a plain press on the progress bar: ends playback and a running playlist.
    void abortAll();

    // The playlist run: it is running from begin to end, and an abort asked for before the
    // begin does not end it.
    void beginPlaylistRun();
    void endPlaylistRun();
    // Start step of one entry, which also forgets an abort asked for before it.
    void startPlaylistEntry();
    // Handles events until the entry has ended or the run is to end; true when it goes on.
    bool waitForPlaylistEntry();

    // The program is quitting: every play loop and playlist wait ends at its next turn.
    void requestQuit();
    bool quitRequested() const { return m_quitRequested; }
    // One turn of a wait: handles pending events, blocking until one arrives when `block`.
    static void processEventsTurn(bool block);

    static QString lengthText(qint64 ms);
    static int roundHalfEven(double value);

Q_SIGNALS:
    // The share of the file played, in percent, for the progress bar.
    void progressChanged(int percent);
    // The length of the file just loaded, for the status bar.
    void lengthTextChanged(const QString& text);
    // The load step has opened `fileName`; an empty name when the file could not be opened.
    void fileLoaded(const QString& fileName);
    // After each load and play: why there is no sound output, or empty when there is one.
    void outputProblemChanged(const QString& problem);

private:
    void play();

    MediaPlayer& m_player;
    Flags m_flags;
    QTimer m_timer;
    bool m_quitRequested = false;
};
