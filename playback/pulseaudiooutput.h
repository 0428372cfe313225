#pragma once

#include "playback/audiooutput.h"
#include "playback/fadetail.h"
#include "playback/samplering.h"
#include "playback/sdlfeeder.h"

#include <QString>

#include <sys/time.h>

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

struct pa_context;
struct pa_mainloop_api;
struct pa_time_event;
struct pa_stream;
struct pa_threaded_mainloop;

// The output through a sound server that speaks the PulseAudio protocol (PulseAudio itself, or
// PipeWire's pulse server), spoken to directly. One stream runs from open to close at the rate of
// the server's default sink, so the feeder converts a file once and the server not at all. The
// stream keeps kQueueMilliseconds queued in the server, which rides out a late wake-up of a
// loaded machine; a new sound does not wait behind that queue but is written over it, from a
// frame a few milliseconds after the one the server takes next, and the fade of the cut-off sound
// is made from what had been written there. The server's main loop thread asks for sound and the
// write callback copies it from the ring; all state below is guarded by that loop's lock.
class PulseAudioOutput : public AudioOutput {
public:
    // How much sound is kept queued in the server ahead of the frame it takes next: enough to
    // ride out a late wake-up of a loaded machine. A new sound does not wait behind it, so it
    // costs no time to sound. Through a private server on a machine running other builds, 45 ms
    // broke up beside two busy loops where paplay's two seconds did not.
    static constexpr int kQueueMilliseconds = 100;
    // The buffer the server is asked for; it keeps about a third of it in its sink, which is how
    // long after it was written a new sound is heard.
    static constexpr int kTargetMilliseconds = 45;
    // The least the server asks for at a time, and how often the queue is topped up besides.
    static constexpr int kRequestMilliseconds = 10;
    // How far ahead of the frame the server takes next a new sound is written, so that the write
    // arrives before the server has taken it.
    static constexpr int kSeamMilliseconds = 5;
    // The longest any call waits for the server.
    static constexpr int kAnswerMilliseconds = 1000;

    PulseAudioOutput();
    ~PulseAudioOutput() override;
    PulseAudioOutput(const PulseAudioOutput&) = delete;
    PulseAudioOutput& operator=(const PulseAudioOutput&) = delete;

    void open() override;
    void close() override;
    bool isOpen() const override { return m_stream != nullptr; }
    bool lost() const override;
    void start(AudioSource& source) override;
    void pause() override;
    void resume() override;
    void flush() override;
    uint64_t framesPlayed() const override;
    bool drained() const override;

    // The server the last open() tried, as the user would name it.
    const QString& serverName() const { return m_serverName; }
    int sampleRate() const { return m_rate; }
    int channels() const { return m_channels; }

private:
    struct Locked;
    static void contextChanged(pa_context* context, void* self);
    static void streamChanged(pa_stream* stream, void* self);
    static void writeRequested(pa_stream* stream, size_t bytes, void* self);
    static void topUpTime(pa_mainloop_api* api, pa_time_event* event, const struct timeval*,
                          void* self);

    void connect();
    void readSinkRate();
    void createStream();
    bool waitFor(const std::function<bool()>& done);
    uint64_t playedFrame() const;
    uint64_t takenFrame() const;
    uint64_t seamFrame() const;
    void topUp();
    void render(size_t frames);
    void takeSound(float* samples, size_t count);
    void cutAt(uint64_t frame, bool keepForResume);
    void rewriteFrom(uint64_t frame);
    float historyAt(uint64_t frame, size_t channel) const;

    pa_threaded_mainloop* m_loop = nullptr;
    pa_context* m_context = nullptr;
    pa_stream* m_stream = nullptr;
    pa_time_event* m_topUpTimer = nullptr;
    QString m_serverName;
    std::atomic<bool> m_lost{false};
    int m_rate = 0;
    int m_channels = 2;
    int m_sourceRate = 0;

    SampleRing m_ring;
    FeedProgress m_progress;
    std::unique_ptr<SdlFeeder> m_feeder;
    FadeTail m_fade;
    uint64_t m_fadeStart = 0; // the stream frame the fade's first frame was written at
    bool m_reading = false;   // sound is taken from the ring
    std::vector<float> m_render;
    std::vector<float> m_history; // what was written, before the fade was mixed in
    std::vector<float> m_replay;  // sound written over by a pause, played again on resume
    size_t m_replayed = 0;        // samples of it played again
    uint64_t m_writeFrame = 0;    // the stream frame the next write lands on
    bool m_seekPending = false;   // the next write goes to m_writeFrame, not behind the last
    uint64_t m_lastCut = 0;
    // Frames of the sound written since the last start or resume, from m_segmentStart on, and
    // frames of it heard before that.
    uint64_t m_segmentStart = 0;
    uint64_t m_segmentFrames = 0;
    uint64_t m_framesBefore = 0;
};
