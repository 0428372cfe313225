#pragma once

#include "playback/audiooutput.h"
#include "playback/audiosource.h"

#include <QStringList>

#include <vector>

// An output without a device: it records every call made on it and plays its source only when
// the test says so, keeping the first channel of what it played.
class FakeOutput : public AudioOutput {
public:
    QStringList calls;
    std::vector<float> played;

    void open() override {
        calls.append(QStringLiteral("open"));
        m_open = true;
        m_lost = false;
    }
    void close() override {
        calls.append(QStringLiteral("close"));
        m_open = false;
        forget();
    }
    bool isOpen() const override { return m_open; }
    bool lost() const override { return m_lost; }
    void start(AudioSource& source) override {
        calls.append(
            QStringLiteral("start %1 Hz %2 ch").arg(source.sampleRate()).arg(source.channels()));
        m_source = &source;
    }
    void pause() override { calls.append(QStringLiteral("pause")); }
    void resume() override { calls.append(QStringLiteral("resume")); }
    void flush() override {
        calls.append(QStringLiteral("flush"));
        forget();
    }
    uint64_t framesPlayed() const override { return m_framesPlayed; }
    bool drained() const override { return m_drained; }

    // Plays up to `frames` frames of the started source.
    void play(int64_t frames) {
        const int channels = m_source->channels();
        std::vector<float> samples(static_cast<size_t>(frames * channels));
        const int64_t got = m_source->read(samples.data(), frames);
        for (int64_t f = 0; f < got; ++f)
            played.push_back(samples[static_cast<size_t>(f * channels)]);
        m_framesPlayed += static_cast<uint64_t>(got);
        m_drained = got < frames;
    }
    // As when the sound server stops.
    void lose() { m_lost = true; }

private:
    void forget() {
        m_source = nullptr;
        m_framesPlayed = 0;
        m_drained = false;
    }

    AudioSource* m_source = nullptr;
    bool m_open = false;
    bool m_lost = false;
    uint64_t m_framesPlayed = 0;
    bool m_drained = false;
};
