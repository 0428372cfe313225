#include "playback/mediaplayer.h"

#include "app/sxerror.h"
#include "playback/audiooutput.h"
#include "playback/decoder.h"

#include <QFile>

#include <sndfile.h>

#include <algorithm>
#include <cmath>

MediaPlayer::MediaPlayer(AudioOutput& output) : m_output(output) {}

MediaPlayer::~MediaPlayer() {
    close();
}

void MediaPlayer::requireOpen() const {
    if (!isOpen())
        throw SxError(QStringLiteral("No MCI device open"));
}

void MediaPlayer::openOutput() {
    try {
        if (m_output.lost())
            m_output.close();
        if (!m_output.isOpen())
            m_output.open();
    } catch (const SxError&) {
        close();
        throw;
    }
}

void MediaPlayer::open() {
    close();
    openOutput();
    SF_INFO info{};
    SNDFILE* file = sf_open(QFile::encodeName(m_fileName).constData(), SFM_READ, &info);
    if (!file)
        throw SxError(QString::fromLocal8Bit(sf_strerror(nullptr)));
    if (info.samplerate <= 0 || info.channels <= 0) {
        sf_close(file);
        throw SxError(QStringLiteral("The file is not a playable sound file"));
    }
    m_file = file;
    m_sampleRate = info.samplerate;
    m_frames = info.frames;
    m_decoder = std::make_unique<Decoder>(file, info);
    m_startPosition.reset();
    m_playFromMs = m_heldPosition = 0;
    m_looping = false;
}

void MediaPlayer::close() {
    if (!isOpen())
        return;
    stopDecoding();
    m_decoder.reset();
    sf_close(m_file);
    m_file = nullptr;
    m_startPosition.reset();
}

void MediaPlayer::stopDecoding() {
    if (!m_playing && !m_paused)
        return; // nothing was started since the last flush
    m_heldPosition = position();
    m_playing = m_paused = false;
    m_output.flush();
}

qint64 MediaPlayer::length() const {
    requireOpen();
    return static_cast<qint64>(
        std::nearbyint(static_cast<double>(m_frames) * 1000.0 / m_sampleRate));
}

qint64 MediaPlayer::msOf(int64_t frames) const {
    return static_cast<qint64>(static_cast<double>(frames) * 1000.0 / m_sampleRate);
}

int64_t MediaPlayer::framesReached() const {
    return m_playFromFrame + static_cast<int64_t>(m_output.framesPlayed());
}

qint64 MediaPlayer::playedMs() const {
    if (m_pass == 0)
        return m_playFromMs + msOf(static_cast<int64_t>(m_output.framesPlayed()));
    return msOf(framesReached() - m_pass * m_frames);
}

bool MediaPlayer::passEnded() const {
    return m_looping && m_frames > 0 && (m_playing || m_paused) && !m_output.lost() &&
           framesReached() >= (m_pass + 1) * m_frames;
}

bool MediaPlayer::nextPass() {
    if (!isOpen() || !passEnded())
        return false;
    m_pass = framesReached() / m_frames;
    return true;
}

bool MediaPlayer::playedOut() const {
    return m_output.drained() || m_output.lost();
}

qint64 MediaPlayer::position() const {
    if (!isOpen())
        return 0;
    if (!m_playing && !m_paused)
        return m_heldPosition;
    if (playedOut() || passEnded())
        return length();
    // Within a pass of a loop a rounded length must not look like its end.
    const qint64 last = m_looping ? std::max<qint64>(0, length() - 1) : length();
    return std::min(playedMs(), last);
}

MediaPlayer::Mode MediaPlayer::mode() const {
    if (!isOpen())
        return Mode::NotReady;
    if (m_paused)
        return Mode::Paused;
    if (m_playing && !playedOut())
        return Mode::Playing;
    return Mode::Stopped;
}

void MediaPlayer::play() {
    requireOpen();
    const qint64 current = position();
    qint64 from = current;
    if (m_startPosition) {
        from = std::clamp<qint64>(*m_startPosition, 0, length());
        m_startPosition.reset();
    } else if (current == length()) {
        from = 0;
    }
    stopDecoding();
    openOutput();
    m_playFromMs = from;
    m_playFromFrame = static_cast<int64_t>(static_cast<double>(from) * m_sampleRate / 1000.0);
    m_pass = 0;
    m_decoder->seek(m_playFromFrame);
    m_decoder->setLooping(m_looping);
    m_output.start(*m_decoder);
    m_playing = true;
}

void MediaPlayer::pause() {
    requireOpen();
    if (m_paused) {
        m_paused = false;
        m_playing = true;
        m_output.resume();
    } else if (mode() == Mode::Playing) {
        m_output.pause();
        m_paused = true;
    }
}

void MediaPlayer::rewind() {
    requireOpen();
    stopDecoding();
    m_heldPosition = 0;
}
