#include "playback/playbackcontrol.h"

#include "base/heldmodifiers.h"

#include <QCoreApplication>

#include <cmath>

namespace {
constexpr int kPollIntervalMs = 100;
}

PlaybackControl::PlaybackControl(MediaPlayer& player, QObject* parent)
    : QObject(parent), m_player(player) {
    m_timer.setInterval(kPollIntervalMs);
    connect(&m_timer, &QTimer::timeout, this, &PlaybackControl::showPlayPosition);
}

int PlaybackControl::roundHalfEven(double value) {
    return static_cast<int>(std::nearbyint(value)); // the default rounding mode ties to even
}

// Rounded to hundredths before the minutes are split off, so that a rounding up to a full minute
// is carried into the minutes: 119,996 ms reads 2:0.00, not 1:60.00.
QString PlaybackControl::lengthText(qint64 ms) {
    const auto hundredths = static_cast<qint64>(std::nearbyint(static_cast<double>(ms) / 10.0));
    const qint64 inMinute = hundredths % 6000;
    return QString::number(hundredths / 6000) + QLatin1Char(':') + QString::number(inMinute / 100) +
           QLatin1Char('.') + QStringLiteral("%1").arg(inMinute % 100, 2, 10, QLatin1Char('0'));
}

void PlaybackControl::processEventsTurn(bool block) {
    QCoreApplication::processEvents(block ? QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents
                                          : QEventLoop::AllEvents);
}

void PlaybackControl::loadStep(const QString& fileName) {
    m_player.setFileName(fileName);
    try {
        m_player.open();
    } catch (...) {
        Q_EMIT fileLoaded(QString());
        throw;
    }
    Q_EMIT fileLoaded(fileName);
    Q_EMIT outputProblemChanged(m_player.outputProblem());
    DoShowWavLength();
}

void PlaybackControl::play() {
    try {
        m_player.play();
    } catch (...) {
        Q_EMIT outputProblemChanged(m_player.outputProblem());
        throw;
    }
    Q_EMIT outputProblemChanged(m_player.outputProblem());
}

void PlaybackControl::startStep(bool loop) {
    m_flags.startPending = true;
    m_flags.stopRequest = false;
    DoPlayWav(loop);
}

void PlaybackControl::closeDevice() {
    m_player.close();
    m_flags.startPending = false;
}

void PlaybackControl::playFile(const QString& fileName, bool loop) {
    loadStep(fileName);
    startStep(loop);
}

void PlaybackControl::DoPlayWav(bool loop) {
    m_flags.loop = loop;
    bool firstTurn = true;
    do {
        // A looping play waits for the next event or poll tick instead of spinning.
        processEventsTurn(!firstTurn);
        firstTurn = false;
        if (m_flags.startPending) {
            // A looping device has gone on from the file's first frame by itself; restarting it
            // would break the seam, so only the count of its passes moves on.
            const bool wentOn = m_player.nextPass();
            if (!wentOn)
                m_player.rewind();
            m_flags.startPending = false;
            Q_EMIT progressChanged(0);
            m_timer.start();
            if (!wentOn) {
                m_player.setLooping(loop);
                play();
            }
        }
    } while (!m_flags.stopRequest && loop && !m_quitRequested);
    if (m_flags.stopRequest)
        DoStopAll();
    m_flags.stopRequest = false;
}

void PlaybackControl::DoStopAll() {
    m_timer.stop();
    Q_EMIT progressChanged(0);
    m_flags.loop = false;
    m_flags.stopRequest = true;
    m_player.close();
    if (!m_flags.playlistRunning)
        m_flags.startPending = false;
}

void PlaybackControl::DoShowWavLength() {
    if (m_player.fileName().isEmpty())
        return;
    Q_EMIT lengthTextChanged(lengthText(m_player.length()));
}

void PlaybackControl::DoSetWavPosition(int percent) {
    const MediaPlayer::Mode mode = m_player.mode();
    if (mode != MediaPlayer::Mode::Playing && mode != MediaPlayer::Mode::Paused)
        return;
    const double length = static_cast<double>(m_player.length());
    m_player.setStartPosition(roundHalfEven(length * percent * 0.01));
}

void PlaybackControl::showPlayPosition() {
    if (!m_player.isOpen()) {
        m_timer.stop(); // closed by a handler that left the poll running
        return;
    }
    const qint64 length = m_player.length();
    const qint64 position = m_player.position();
    // A file of length 0 shows no progress and has ended at once.
    Q_EMIT progressChanged(length > 0 ? roundHalfEven(static_cast<double>(position) /
                                                      static_cast<double>(length) * 100.0)
                                      : 0);
    if (position == length) {
        m_flags.startPending = true;
        if (!m_flags.loop) {
            m_flags.stopRequest = true;
            DoStopAll();
        }
    }
}

void PlaybackControl::seekAtClick(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, int x,
                                  int barWidth) {
    const Qt::KeyboardModifiers keys = heldModifiers(modifiers);
    if (button != Qt::LeftButton)
        return;
    const MediaPlayer::Mode mode = m_player.mode();
    const bool seekable = mode == MediaPlayer::Mode::Playing || mode == MediaPlayer::Mode::Paused;
    if (seekable && keys == Qt::ControlModifier && barWidth > 0) {
        m_player.pause();
        const int percent = roundHalfEven(static_cast<double>(x) / barWidth * 100.0);
        Q_EMIT progressChanged(percent);
        DoSetWavPosition(percent);
        play();
    } else if (keys == Qt::NoModifier) {
        abortAll();
    }
}

void PlaybackControl::stopPlaying() {
    m_flags.stopRequest = true;
    if (!m_flags.loop)
        DoStopAll();
}

void PlaybackControl::abortAll() {
    m_flags.stopRequest = true;
    m_flags.playlistAbort = true;
    if (!m_flags.loop)
        DoStopAll();
}

void PlaybackControl::beginPlaylistRun() {
    m_flags.playlistRunning = true;
    m_flags.playlistAbort = false;
}

void PlaybackControl::endPlaylistRun() {
    m_flags.playlistRunning = false;
}

void PlaybackControl::startPlaylistEntry() {
    m_flags.playlistAbort = false;
    startStep(false);
}

bool PlaybackControl::waitForPlaylistEntry() {
    while (!m_flags.startPending && !m_flags.playlistAbort && !m_quitRequested)
        processEventsTurn(true);
    return !m_flags.playlistAbort && !m_quitRequested;
}

void PlaybackControl::requestQuit() {
    m_quitRequested = true;
    m_flags.stopRequest = true;
    m_flags.playlistAbort = true;
}
