#pragma once

#include "playback/playbackcontrol.h"
#include "playback/sdlaudiooutput.h"

#include <QString>
#include <QTemporaryDir>

#include <memory>
#include <vector>

// A real SDL output through its disk driver, whose file holds exactly what was played.
class CapturedOutput {
public:
    CapturedOutput();
    ~CapturedOutput();
    SdlAudioOutput& output() { return *m_output; }
    // From the next time the output opens it gets a device that SDL gives up on at its first
    // buffer, as when a sound server stops or an interface is unplugged; restoreDevice() undoes it.
    void loseDevice();
    void restoreDevice();
    // Closes the output (flushing the file) and returns the left channel of everything played.
    std::vector<float> finish();

private:
    QTemporaryDir m_dir;
    QString m_file;
    std::unique_ptr<SdlAudioOutput> m_output;
};

struct Burst {
    size_t start;
    size_t length;
};
// The runs of sound in a capture, split at silences longer than `minGap` frames.
std::vector<Burst> findBursts(const std::vector<float>& samples, size_t minGap);
// The best correlation of the capture at `start` with a sine of `frequency` at `rate`.
double sineCorrelation(const std::vector<float>& samples, size_t start, size_t length,
                       double frequency, int rate);
// Writes a 32-bit float WAV file whose every channel holds `samples`.
bool writeFloatWav(const QString& path, int rate, int channels, const std::vector<float>& samples);
// The index of the first sample that is not exactly silent, or the size when there is none.
size_t firstSound(const std::vector<float>& samples);

// A captured output with the audio device and playback control on it, and a folder for the files
// a test plays.
class CapturedPlayback {
public:
    CapturedPlayback();
    ~CapturedPlayback();
    SdlAudioOutput& output() { return m_capture.output(); }
    MediaPlayer& player() { return *m_player; }
    PlaybackControl& control() { return *m_control; }
    // Writes a stereo 32-bit float file whose two channels hold `samples`.
    QString floatFile(const QString& name, int rate, const std::vector<float>& samples);
    // Ends all playing and returns the left channel of everything played.
    std::vector<float> played();

private:
    QTemporaryDir m_dir;
    CapturedOutput m_capture;
    std::unique_ptr<MediaPlayer> m_player;
    std::unique_ptr<PlaybackControl> m_control;
};
// How many samples of `played` from `at` on repeat `pattern` from its index `from`, going round it.
size_t matchingRun(const std::vector<float>& played, size_t at, const std::vector<float>& pattern,
                   size_t from);
