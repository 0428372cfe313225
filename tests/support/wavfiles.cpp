#include "tests/support/wavfiles.h"

#include <QFile>

#include <cmath>
#include <sndfile.h>

std::vector<float> toneSamples(const ToneSpec& spec) {
    const auto frames = static_cast<size_t>(spec.seconds * spec.sampleRate);
    std::vector<float> samples(frames);
    for (size_t i = 0; i < frames; ++i)
        samples[i] = 0.5f * static_cast<float>(std::sin(2.0 * M_PI * spec.frequency *
                                                        static_cast<double>(i) / spec.sampleRate));
    return samples;
}

bool writeTone(const QString& path, const ToneSpec& spec) {
    SF_INFO info{};
    info.samplerate = spec.sampleRate;
    info.channels = spec.channels;
    info.format = spec.format ? spec.format : (SF_FORMAT_WAV | SF_FORMAT_PCM_16);
    SNDFILE* file = sf_open(QFile::encodeName(path).constData(), SFM_WRITE, &info);
    if (!file)
        return false;
    const std::vector<float> mono = toneSamples(spec);
    std::vector<float> frames(mono.size() * static_cast<size_t>(spec.channels));
    for (size_t i = 0; i < mono.size(); ++i)
        for (int c = 0; c < spec.channels; ++c)
            frames[i * static_cast<size_t>(spec.channels) + static_cast<size_t>(c)] = mono[i];
    const auto written = sf_writef_float(file, frames.data(), static_cast<sf_count_t>(mono.size()));
    sf_close(file);
    return written == static_cast<sf_count_t>(mono.size());
}

void writeTextFile(const QString& path, const QByteArray& content) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        qFatal("cannot write %s", qPrintable(path));
    file.write(content);
}
