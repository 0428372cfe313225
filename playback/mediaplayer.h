#pragma once

#include <QString>

#include <cstdint>

#include <memory>
#include <optional>

class AudioOutput;
class Decoder;
struct sf_private_tag;

// The audio device: one WAV file open at a time, played asynchronously from a millisecond
// position, with its length, position and mode in whole milliseconds of the file's own timeline.
// The output stays open between files; opening another file swaps only the decoder.
class MediaPlayer {
public:
    enum class Mode { NotReady, Stopped, Playing, Paused };

    explicit MediaPlayer(AudioOutput& output);
    ~MediaPlayer();

    const QString& fileName() const { return m_fileName; }
    void setFileName(const QString& fileName) { m_fileName = fileName; }

    // Closes what is open, then opens the file stopped at position 0; raises the decoder's error
    // text when it cannot, and nothing is open afterwards. A missing sound output does not keep
    // the file from opening: its length still shows, and play() tells of the output.
    void open();
    // Ends any sound at once; nothing is open afterwards. Does nothing when nothing is open.
    void close();
    // Plays from the start position if one was set, else from the current position (from the
    // beginning once the end was reached). Returns at once. An output lost or missing since the
    // last play is opened anew; when that fails the play ends at once, and the first such play
    // since the output last opened raises the output's error text.
    void play();
    // Pauses a playing device, resumes a paused one.
    void pause();
    void rewind();
    void setStartPosition(qint64 ms) { m_startPosition = ms; }
    // Whether the next plays go on from the file's first frame at its end instead of ending, with
    // no frame left out or repeated; cleared by open(). A play from a start position keeps it.
    void setLooping(bool looping) { m_looping = looping; }
    // A looping play that ran past the end of the file went on from its first frame by itself; its
    // position stays at the length, as for a play that ended, until this counts it from the pass
    // now playing and returns true. Returns false, changing nothing, when no pass has ended.
    bool nextPass();

    bool isOpen() const { return m_file != nullptr; }
    // Why there is no sound output, as the output said at the last attempt; empty when there is.
    const QString& outputProblem() const { return m_outputProblem; }
    qint64 length() const;
    qint64 position() const;
    // A play whose output was lost has ended: its position is the length and its mode stopped.
    Mode mode() const;

private:
    void requireOpen() const;
    bool openOutput();
    bool playedOut() const;
    bool passEnded() const;
    void stopDecoding();
    qint64 playedMs() const;
    int64_t framesReached() const;
    qint64 msOf(int64_t frames) const;

    AudioOutput& m_output;
    QString m_fileName;
    sf_private_tag* m_file = nullptr;
    int m_sampleRate = 0;
    qint64 m_frames = 0;
    std::unique_ptr<Decoder> m_decoder;
    std::optional<qint64> m_startPosition;
    qint64 m_playFromMs = 0;     // where the current or last play began
    int64_t m_playFromFrame = 0; // the same in frames
    int64_t m_pass = 0;          // passes of a looping play counted so far
    bool m_looping = false;
    qint64 m_heldPosition = 0; // the position while not playing
    bool m_playing = false;
    bool m_paused = false;
    QString m_outputProblem;
    bool m_outputProblemTold = false;
};
