#include "bench/bigwav.h"

#include <QFile>

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>
#include <stdexcept>
#include <string_view>
#include <vector>

namespace {

constexpr int kChannels = 2;
constexpr int kBytesPerFrame = kChannels * 2;

void putLe(std::vector<char>& out, uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i)
        out.push_back(static_cast<char>((value >> (8 * i)) & 0xff));
}

// A canonical 44-byte PCM header, filled at fixed offsets.
std::vector<char> header(uint32_t dataBytes, int sampleRate) {
    std::array<char, 44> out{};
    const auto setLe = [&out](size_t at, uint32_t value, int bytes) {
        for (int i = 0; i < bytes; ++i)
            out[at + static_cast<size_t>(i)] = static_cast<char>((value >> (8 * i)) & 0xff);
    };
    const auto setTag = [&out](size_t at, std::string_view tag) {
        std::copy(tag.begin(), tag.end(), out.begin() + static_cast<std::ptrdiff_t>(at));
    };
    setTag(0, "RIFF");
    setLe(4, 36 + dataBytes, 4);
    setTag(8, "WAVE");
    setTag(12, "fmt ");
    setLe(16, 16, 4);
    setLe(20, 1, 2); // PCM
    setLe(22, kChannels, 2);
    setLe(24, static_cast<uint32_t>(sampleRate), 4);
    setLe(28, static_cast<uint32_t>(sampleRate * kBytesPerFrame), 4);
    setLe(32, kBytesPerFrame, 2);
    setLe(34, 16, 2);
    setTag(36, "data");
    setLe(40, dataBytes, 4);
    return {out.begin(), out.end()};
}

} // namespace

void writeBigWav(const QString& path, int64_t dataBytes, int sampleRate, double toneHz,
                 int toneSeconds) {
    if (dataBytes > 0xffffffffLL - 36)
        throw std::invalid_argument("a WAV file holds under 4 GiB of data");
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        throw std::runtime_error("cannot write " + path.toStdString());
    std::vector<char> bytes = header(static_cast<uint32_t>(dataBytes), sampleRate);
    const auto headerBytes = static_cast<qint64>(bytes.size());
    const int64_t toneFrames =
        std::min<int64_t>(dataBytes / kBytesPerFrame, int64_t(toneSeconds) * sampleRate);
    for (int64_t frame = 0; frame < toneFrames; ++frame) {
        const double phase = 2.0 * std::numbers::pi * toneHz * static_cast<double>(frame) /
                             static_cast<double>(sampleRate);
        const auto sample = static_cast<uint16_t>(static_cast<int16_t>(12000.0 * std::sin(phase)));
        putLe(bytes, sample, 2);
        putLe(bytes, sample, 2);
    }
    if (file.write(bytes.data(), static_cast<qint64>(bytes.size())) !=
            static_cast<qint64>(bytes.size()) ||
        !file.resize(headerBytes + dataBytes))
        throw std::runtime_error("cannot write " + path.toStdString());
}

std::vector<int16_t> writeSeamWav(const QString& path, int frames, int sampleRate) {
    std::vector<int16_t> samples(static_cast<size_t>(frames));
    std::vector<char> bytes = header(static_cast<uint32_t>(frames * kBytesPerFrame), sampleRate);
    for (int i = 0; i < frames; ++i) {
        // A rising ramp on an offset: every sample differs from its neighbours and from zero.
        samples[static_cast<size_t>(i)] = static_cast<int16_t>(1000 + (i * 37) % 20000);
        putLe(bytes, static_cast<uint16_t>(samples[static_cast<size_t>(i)]), 2);
        putLe(bytes, static_cast<uint16_t>(samples[static_cast<size_t>(i)]), 2);
    }
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        file.write(bytes.data(), static_cast<qint64>(bytes.size())) !=
            static_cast<qint64>(bytes.size()))
        throw std::runtime_error("cannot write " + path.toStdString());
    return samples;
}
