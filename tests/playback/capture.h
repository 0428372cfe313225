#pragma once

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
