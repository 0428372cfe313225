#include "playback/playbackcontrol.h"

#include <QCoreApplication>

#include <cmath>

namespace {
constexpr int kPollIntervalMs = 100;
}

PlaybackControl::PlaybackControl(MediaPlayer& player, PlaybackDisplay& display, QObject* parent)
    : QObject(parent), m_player(player), m_display(display) {
    m_timer.setInterval(kPollIntervalMs);
    connect(&m_timer, &QTimer::timeout, this, &PlaybackControl::Timer1Timer);
}

int PlaybackControl::roundHalfEven(double value) {
    return static_cast<int>(std::nearbyint(value)); // the default rounding mode ties to even
}

QString PlaybackControl::lengthText(qint64 ms) {
    const qint64 minutes = ms / 60000;
    const double seconds = static_cast<double>(ms) / 1000.0 - 60.0 * static_cast<double>(minutes);
    return QString::number(minutes) + QLatin1Char(':') + QString::number(seconds, 'f', 2);
}

void PlaybackControl::processEventsTurn(bool block) {
    QCoreApplication::processEvents(block ? QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents
                                          : QEventLoop::AllEvents);
}

void PlaybackControl::loadStep(const QString& fileName) {
    m_player.setFileName(fileName);
    m_player.open();
    DoShowWavLength();
}

void PlaybackControl::startStep(bool loop) {
    flags.startPending = true;
    flags.stopRequest = false;
    DoPlayWav(loop);
}

void PlaybackControl::closeDevice() {
    m_player.close();
    flags.startPending = false;
}

void PlaybackControl::playFile(const QString& fileName, bool loop) {
    loadStep(fileName);
    startStep(loop);
}

void PlaybackControl::DoPlayWav(bool loop) {
    flags.loop = loop;
    bool firstTurn = true;
    do {
        // A looping play waits for the next event or poll tick instead of spinning.
        processEventsTurn(!firstTurn);
        firstTurn = false;
        if (flags.startPending) {
            m_player.rewind();
            flags.startPending = false;
            m_display.setProgress(0);
            m_timer.start();
            m_player.play();
        }
    } while (!flags.stopRequest && loop && !m_quitRequested);
    if (flags.stopRequest)
        DoStopAll();
    flags.stopRequest = false;
}

void PlaybackControl::DoStopAll() {
    m_timer.stop();
    m_display.setProgress(0);
    flags.loop = false;
    flags.stopRequest = true;
    m_player.close();
    if (!flags.playlistRunning)
        flags.startPending = false;
}

void PlaybackControl::DoShowWavLength() {
    if (m_player.fileName().isEmpty())
        return;
    m_player.setTimeFormatMilliseconds();
    m_display.setLengthText(lengthText(m_player.length()));
}

void PlaybackControl::DoSetWavPosition(int percent) {
    const MediaPlayer::Mode mode = m_player.mode();
    if (mode != MediaPlayer::Mode::Playing && mode != MediaPlayer::Mode::Paused &&
        mode != MediaPlayer::Mode::Open)
        return;
    m_player.setTimeFormatMilliseconds();
    const double length = static_cast<double>(m_player.length());
    m_player.setStartPosition(roundHalfEven(length * percent * 0.01));
}

void PlaybackControl::Timer1Timer() {
    if (!m_player.isOpen()) {
        m_timer.stop(); // closed by a handler that left the poll running
        return;
    }
    m_player.setTimeFormatMilliseconds();
    const qint64 length = m_player.length();
    const qint64 position = m_player.position();
    // A file of length 0 shows no progress and has ended at once.
    m_display.setProgress(length > 0 ? roundHalfEven(static_cast<double>(position) /
                                                     static_cast<double>(length) * 100.0)
                                     : 0);
    if (position == length) {
        flags.startPending = true;
        if (!flags.loop) {
            flags.stopRequest = true;
            DoStopAll();
        }
    }
}

void PlaybackControl::ProgressBar1MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers modifiers,
                                            int x, int barWidth) {
    const Qt::KeyboardModifiers keys =
        modifiers & (Qt::ShiftModifier | Qt::AltModifier | Qt::ControlModifier | Qt::MetaModifier);
    if (button != Qt::LeftButton)
        return;
    const MediaPlayer::Mode mode = m_player.mode();
    const bool seekable = mode == MediaPlayer::Mode::Playing || mode == MediaPlayer::Mode::Paused ||
                          mode == MediaPlayer::Mode::Open;
    if (seekable && keys == Qt::ControlModifier && barWidth > 0) {
        m_player.pause();
        const int percent = roundHalfEven(static_cast<double>(x) / barWidth * 100.0);
        m_display.setProgress(percent);
        DoSetWavPosition(percent);
        m_player.play();
    } else if (keys == Qt::NoModifier) {
        abortAll();
    }
}

void PlaybackControl::miControlsStopClick() {
    flags.stopRequest = true;
    if (!flags.loop)
        DoStopAll();
}

void PlaybackControl::abortAll() {
    flags.stopRequest = true;
    flags.playlistAbort = true;
    if (!flags.loop)
        DoStopAll();
}

void PlaybackControl::stopForFileCommand() {
    DoStopAll();
    flags.playlistAbort = true;
}

void PlaybackControl::requestQuit() {
    m_quitRequested = true;
    flags.stopRequest = true;
    flags.playlistAbort = true;
}
