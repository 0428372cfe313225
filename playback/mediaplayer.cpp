#include "playback/mediaplayer.h"

#include "base/sxerror.h"
#include "base/pathcodec.h"
#include "base/regularfile.h"
#include "playback/audiooutput.h"
#include "playback/decoder.h"

#include <sndfile.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstring>
#include <limits>

namespace {

// The rates the output's converter takes: far beyond them its buffers overflow.
constexpr int kMinSampleRate = 1000;
constexpr int kMaxSampleRate = 768000;
// The longest file whose length in milliseconds is still a number.
constexpr sf_count_t kMaxSeconds = std::numeric_limits<qint64>::max() / 1000 - 1;

// Only a regular file is handed to the decoder: opening a FIFO would wait for a writer forever.
SNDFILE* openSoundFile(const QString& fileName, SF_INFO& info) {
    FileHandle file = openRegularFile(encodePath(fileName));
    if (!file.valid()) {
        if (errno == EINVAL)
            throw SxError(QStringLiteral("The file is not a playable sound file"));
        throw SxError(QString::fromLocal8Bit(std::strerror(errno)));
    }
    // libsndfile owns the descriptor from here on and closes it, also when the open fails.
    SNDFILE* sound = sf_open_fd(file.release(), SFM_READ, &info, SF_TRUE);
    if (!sound)
        throw SxError(QString::fromLocal8Bit(sf_strerror(nullptr)));
    return sound;
}

} // namespace

MediaPlayer::MediaPlayer(AudioOutput& output) : m_output(output) {}

MediaPlayer::~MediaPlayer() {
    close();
}

void MediaPlayer::requireOpen() const {
    if (!isOpen())
        throw SxError(QStringLiteral("No MCI device open"));
}

// Whether the output is open, opening it anew when it was lost or missing.
bool MediaPlayer::openOutput() {
    try {
        if (m_output.lost())
            m_output.close();
        if (!m_output.isOpen())
            m_output.open();
    } catch (const SxError& e) {
        m_outputProblem = e.message();
        return false;
    }
    m_outputProblem.clear();
    m_outputProblemTold = false;
    return true;
}

void MediaPlayer::open() {
    close();
    openOutput();
    SF_INFO info{};
    SNDFILE* file = openSoundFile(m_fileName, info);
    if (info.samplerate <= 0 || info.channels <= 0 || info.frames < 0 ||
        info.frames / info.samplerate > kMaxSeconds) {
        sf_close(file);
        throw SxError(QStringLiteral("The file is not a playable sound file"));
    }
    if (info.samplerate < kMinSampleRate || info.samplerate > kMaxSampleRate) {
        sf_close(file);
        throw SxError(QStringLiteral("The sample rate of %1 Hz cannot be played (%2 to %3 Hz)")
                          .arg(info.samplerate)
                          .arg(kMinSampleRate)
                          .arg(kMaxSampleRate));
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
    // In whole seconds and the rest, so that no product overflows; open() refused longer files.
    const qint64 seconds = m_frames / m_sampleRate;
    const qint64 rest = m_frames % m_sampleRate;
    return seconds * 1000 + (rest * 1000 + m_sampleRate / 2) / m_sampleRate;
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
    if (!openOutput()) {
        m_heldPosition = length(); // the poll finds the play ended
        if (m_outputProblemTold)
            return;
        m_outputProblemTold = true; // said once; the status bar keeps the notice
        throw SxError(m_outputProblem);
    }
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
