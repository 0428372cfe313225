#include "tests/playback/capture.h"

#include <QFile>

#include <sndfile.h>

#include <algorithm>
#include <cmath>

CapturedOutput::CapturedOutput() {
    m_file = m_dir.filePath(QStringLiteral("played.raw"));
    qputenv("SDL_AUDIODRIVER", "disk");
    restoreDevice();
    m_output = std::make_unique<SdlAudioOutput>();
}

void CapturedOutput::loseDevice() {
    qputenv("SDL_DISKAUDIOFILE", "/dev/full"); // the disk driver drops a device it cannot write
}

void CapturedOutput::restoreDevice() {
    qputenv("SDL_DISKAUDIOFILE", QFile::encodeName(m_file));
}

CapturedOutput::~CapturedOutput() = default;

std::vector<float> CapturedOutput::finish() {
    const int channels = m_output->isOpen() ? m_output->channels() : 2;
    m_output.reset();
    QFile file(m_file);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray bytes = file.readAll();
    const auto* samples = reinterpret_cast<const float*>(bytes.constData());
    const size_t frames =
        static_cast<size_t>(bytes.size()) / sizeof(float) / static_cast<size_t>(channels);
    std::vector<float> left(frames);
    for (size_t i = 0; i < frames; ++i)
        left[i] = samples[i * static_cast<size_t>(channels)];
    return left;
}

std::vector<Burst> findBursts(const std::vector<float>& samples, size_t minGap) {
    std::vector<Burst> bursts;
    size_t lastSound = 0;
    bool inBurst = false;
    for (size_t i = 0; i < samples.size(); ++i) {
        if (std::fabs(samples[i]) < 1e-4f)
            continue;
        if (!inBurst || i - lastSound > minGap) {
            bursts.push_back({i, 1});
            inBurst = true;
        }
        bursts.back().length = i - bursts.back().start + 1;
        lastSound = i;
    }
    return bursts;
}

double sineCorrelation(const std::vector<float>& samples, size_t start, size_t length,
                       double frequency, int rate) {
    double best = 0;
    for (int shift = -16; shift <= 16; ++shift) {
        double xy = 0, xx = 0, yy = 0;
        for (size_t i = 0; i < length; ++i) {
            const long k = static_cast<long>(start + i) + shift;
            if (k < 0 || static_cast<size_t>(k) >= samples.size())
                continue;
            const double x = samples[static_cast<size_t>(k)];
            const double y = std::sin(2.0 * M_PI * frequency * static_cast<double>(i) / rate);
            xy += x * y, xx += x * x, yy += y * y;
        }
        if (xx > 0 && yy > 0)
            best = std::max(best, xy / std::sqrt(xx * yy));
    }
    return best;
}

bool writeFloatWav(const QString& path, int rate, int channels, const std::vector<float>& samples) {
    SF_INFO info{};
    info.samplerate = rate;
    info.channels = channels;
    info.format = SF_FORMAT_WAV | SF_FORMAT_FLOAT;
    SNDFILE* file = sf_open(QFile::encodeName(path).constData(), SFM_WRITE, &info);
    if (!file)
        return false;
    std::vector<float> frames;
    for (float sample : samples)
        frames.insert(frames.end(), static_cast<size_t>(channels), sample);
    const auto frameCount = static_cast<sf_count_t>(samples.size());
    const bool written = sf_writef_float(file, frames.data(), frameCount) == frameCount;
    return sf_close(file) == 0 && written;
}

size_t firstSound(const std::vector<float>& samples) {
    const auto found =
        std::find_if(samples.cbegin(), samples.cend(), [](float s) { return s != 0; });
    return static_cast<size_t>(found - samples.cbegin());
}

size_t matchingRun(const std::vector<float>& played, size_t at, const std::vector<float>& pattern,
                   size_t from) {
    size_t n = 0;
    while (at + n < played.size() && played[at + n] == pattern[(from + n) % pattern.size()])
        ++n;
    return n;
}

CapturedPlayback::CapturedPlayback()
    : m_player(std::make_unique<MediaPlayer>(m_capture.output())),
      m_control(std::make_unique<PlaybackControl>(*m_player)) {}

CapturedPlayback::~CapturedPlayback() = default;

QString CapturedPlayback::floatFile(const QString& name, int rate,
                                    const std::vector<float>& samples) {
    const QString file = m_dir.filePath(name);
    if (!writeFloatWav(file, rate, 2, samples))
        qFatal("cannot write %s", qPrintable(file));
    return file;
}

std::vector<float> CapturedPlayback::played() {
    m_control.reset();
    m_player.reset();
    return m_capture.finish();
}
