#include "playback/pulseaudiooutput.h"

#include "base/sxerror.h"
#include "playback/audiosource.h"

#include <pulse/pulseaudio.h>

#include <algorithm>
#include <chrono>
#include <string>
#include <thread>

namespace {

// What a cut can reach back to: far more than the server ever holds.
constexpr int kHistoryMilliseconds = 500;
constexpr size_t kSampleBytes = sizeof(float);

// The server libpulse tries first, as the user would name it.
QString defaultServerName() {
    const QByteArray server = qgetenv("PULSE_SERVER");
    if (!server.isEmpty())
        return QString::fromLocal8Bit(server);
    const QByteArray runtime = qgetenv("XDG_RUNTIME_DIR");
    if (runtime.isEmpty())
        return QStringLiteral("the user's PulseAudio socket");
    return QString::fromLocal8Bit(runtime) + QStringLiteral("/pulse/native");
}

struct ServerInfo {
    bool done = false;
    uint32_t rate = 0;
    std::string sink;
    std::string name;
};

} // namespace

struct PulseAudioOutput::Locked {
    explicit Locked(pa_threaded_mainloop* owned) : loop(owned) { pa_threaded_mainloop_lock(loop); }
    ~Locked() { pa_threaded_mainloop_unlock(loop); }
    Locked(const Locked&) = delete;
    Locked& operator=(const Locked&) = delete;
    pa_threaded_mainloop* loop;
};

PulseAudioOutput::PulseAudioOutput() : m_ring(SdlFeeder::kRingSamples) {}

PulseAudioOutput::~PulseAudioOutput() {
    close();
}

bool PulseAudioOutput::lost() const {
    return m_stream != nullptr && m_lost.load(std::memory_order_acquire);
}

void PulseAudioOutput::open() {
    if (m_stream)
        return;
    m_serverName = defaultServerName();
    try {
        connect();
        readSinkRate();
        createStream();
    } catch (const SxError&) {
        close();
        throw;
    }
    m_lost.store(false, std::memory_order_release);
}

void PulseAudioOutput::connect() {
    m_loop = pa_threaded_mainloop_new();
    m_context = pa_context_new(pa_threaded_mainloop_get_api(m_loop), "Sondrix");
    pa_context_set_state_callback(m_context, &PulseAudioOutput::contextChanged, this);
    const QString noServer = QStringLiteral("No sound output: no sound server answered at %1 (%2)");
    if (pa_context_connect(m_context, nullptr, PA_CONTEXT_NOAUTOSPAWN, nullptr) < 0)
        throw SxError(noServer.arg(m_serverName,
                                   QString::fromUtf8(pa_strerror(pa_context_errno(m_context)))));
    pa_threaded_mainloop_start(m_loop);
    Locked lock(m_loop);
    const bool answered = waitFor([this] {
        const pa_context_state_t state = pa_context_get_state(m_context);
        return state == PA_CONTEXT_READY || !PA_CONTEXT_IS_GOOD(state);
    });
    if (const char* server = pa_context_get_server(m_context))
        m_serverName = QString::fromLocal8Bit(server);
    if (!answered)
        throw SxError(noServer.arg(m_serverName, QStringLiteral("no answer within a second")));
    if (pa_context_get_state(m_context) != PA_CONTEXT_READY)
        throw SxError(noServer.arg(m_serverName,
                                   QString::fromUtf8(pa_strerror(pa_context_errno(m_context)))));
}

// The default sink's rate, so that the server never resamples what the feeder has converted.
void PulseAudioOutput::readSinkRate() {
    Locked lock(m_loop);
    ServerInfo info;
    pa_operation* operation = pa_context_get_server_info(
        m_context,
        [](pa_context*, const pa_server_info* server, void* data) {
            auto* into = static_cast<ServerInfo*>(data);
            if (server) {
                into->rate = server->sample_spec.rate;
                into->sink = server->default_sink_name ? server->default_sink_name : "";
                into->name = server->server_name ? server->server_name : "";
            }
            into->done = true;
        },
        &info);
    const bool answered = waitFor([&info] { return info.done; });
    pa_operation_cancel(operation);
    pa_operation_unref(operation);
    if (!answered)
        throw SxError(QStringLiteral("No sound output: the sound server at %1 did not answer")
                          .arg(m_serverName));
    m_rate = static_cast<int>(info.rate);
    if (info.sink.empty())
        return;
    info.done = false;
    operation = pa_context_get_sink_info_by_name(
        m_context, info.sink.c_str(),
        [](pa_context*, const pa_sink_info* sink, int last, void* data) {
            auto* into = static_cast<ServerInfo*>(data);
            if (sink)
                into->rate = sink->sample_spec.rate;
            if (last)
                into->done = true;
        },
        &info);
    waitFor([&info] { return info.done; });
    pa_operation_cancel(operation);
    pa_operation_unref(operation);
    m_rate = static_cast<int>(info.rate);
}

void PulseAudioOutput::createStream() {
    Locked lock(m_loop);
    if (m_rate <= 0)
        m_rate = 48000;
    const pa_sample_spec spec{PA_SAMPLE_FLOAT32NE, static_cast<uint32_t>(m_rate),
                              static_cast<uint8_t>(m_channels)};
    m_history.assign(static_cast<size_t>(m_rate * kHistoryMilliseconds / 1000 * m_channels), 0.0f);
    m_fade.setFormat(static_cast<size_t>(m_rate * FadeTail::kMilliseconds / 1000),
                     static_cast<size_t>(m_channels));
    m_writeFrame = m_fadeStart = m_lastCut = 0;
    m_seekPending = m_reading = false;
    m_stream = pa_stream_new(m_context, "Sondrix", &spec, nullptr);
    if (!m_stream)
        throw SxError(QStringLiteral("No sound output: the sound server at %1 refused a stream")
                          .arg(m_serverName));
    pa_stream_set_state_callback(m_stream, &PulseAudioOutput::streamChanged, this);
    pa_stream_set_write_callback(m_stream, &PulseAudioOutput::writeRequested, this);
    pa_buffer_attr attributes{};
    attributes.maxlength = static_cast<uint32_t>(-1);
    attributes.tlength = static_cast<uint32_t>(pa_usec_to_bytes(kTargetMilliseconds * 1000, &spec));
    attributes.prebuf = 0; // plays from the first frame written, and on through a late write
    attributes.minreq = static_cast<uint32_t>(pa_usec_to_bytes(kRequestMilliseconds * 1000, &spec));
    attributes.fragsize = static_cast<uint32_t>(-1);
    const auto flags = static_cast<pa_stream_flags_t>(
        PA_STREAM_INTERPOLATE_TIMING | PA_STREAM_AUTO_TIMING_UPDATE | PA_STREAM_ADJUST_LATENCY);
    pa_stream_connect_playback(m_stream, nullptr, &attributes, flags, nullptr, nullptr);
    const bool answered = waitFor([this] {
        const pa_stream_state_t state = pa_stream_get_state(m_stream);
        return state == PA_STREAM_READY || !PA_STREAM_IS_GOOD(state);
    });
    if (!answered || pa_stream_get_state(m_stream) != PA_STREAM_READY)
        throw SxError(QStringLiteral("No sound output: the sound server at %1 refused a stream")
                          .arg(m_serverName));
    m_topUpTimer =
        pa_context_rttime_new(m_context, pa_rtclock_now(), &PulseAudioOutput::topUpTime, this);
}

void PulseAudioOutput::close() {
    if (!m_loop)
        return;
    flush();
    {
        Locked lock(m_loop);
        if (m_topUpTimer) {
            pa_threaded_mainloop_get_api(m_loop)->time_free(m_topUpTimer);
            m_topUpTimer = nullptr;
        }
        if (m_stream) {
            pa_stream_set_state_callback(m_stream, nullptr, nullptr);
            pa_stream_set_write_callback(m_stream, nullptr, nullptr);
            pa_stream_disconnect(m_stream);
            pa_stream_unref(m_stream);
            m_stream = nullptr;
        }
        pa_context_set_state_callback(m_context, nullptr, nullptr);
        pa_context_disconnect(m_context);
        pa_context_unref(m_context);
        m_context = nullptr;
    }
    pa_threaded_mainloop_stop(m_loop);
    pa_threaded_mainloop_free(m_loop);
    m_loop = nullptr;
}

// With the loop's lock held; lets the loop run between looks.
bool PulseAudioOutput::waitFor(const std::function<bool()>& done) {
    using namespace std::chrono;
    const auto deadline = steady_clock::now() + milliseconds(kAnswerMilliseconds);
    while (!done()) {
        if (steady_clock::now() >= deadline)
            return false;
        pa_threaded_mainloop_unlock(m_loop);
        std::this_thread::sleep_for(microseconds(200));
        pa_threaded_mainloop_lock(m_loop);
    }
    return true;
}

void PulseAudioOutput::contextChanged(pa_context* context, void* self) {
    if (!PA_CONTEXT_IS_GOOD(pa_context_get_state(context)))
        static_cast<PulseAudioOutput*>(self)->m_lost.store(true, std::memory_order_release);
}

void PulseAudioOutput::streamChanged(pa_stream* stream, void* self) {
    if (!PA_STREAM_IS_GOOD(pa_stream_get_state(stream)))
        static_cast<PulseAudioOutput*>(self)->m_lost.store(true, std::memory_order_release);
}

// The server's requests are not followed to the byte: libpulse counts what is written over the
// queue as if it were written behind it, and would ask for nothing until the server had played
// that much. The queue is topped up from the server's timing instead, at each request and timer.
void PulseAudioOutput::writeRequested(pa_stream*, size_t, void* self) {
    static_cast<PulseAudioOutput*>(self)->topUp();
}

void PulseAudioOutput::topUpTime(pa_mainloop_api*, pa_time_event* event, const struct timeval*,
                                 void* self) {
    auto* output = static_cast<PulseAudioOutput*>(self);
    output->topUp();
    pa_context_rttime_restart(output->m_context, event,
                              pa_rtclock_now() + kRequestMilliseconds * 1000 / 2);
}

void PulseAudioOutput::topUp() {
    if (!m_stream || pa_stream_get_state(m_stream) != PA_STREAM_READY)
        return;
    const auto rate = static_cast<uint64_t>(m_rate);
    const uint64_t taken = takenFrame();
    if (m_writeFrame < taken) { // ran dry: go on from where the server is
        m_writeFrame = taken + rate * kSeamMilliseconds / 1000;
        m_seekPending = true;
    }
    const uint64_t wanted = taken + rate * kQueueMilliseconds / 1000;
    if (wanted >= m_writeFrame + rate * kRequestMilliseconds / 1000 / 2)
        render(static_cast<size_t>(wanted - m_writeFrame));
}

// The stream frame being heard, from the server's timing, interpolated between its reports.
uint64_t PulseAudioOutput::playedFrame() const {
    pa_usec_t usec = 0;
    if (!m_stream || pa_stream_get_time(m_stream, &usec) < 0)
        return 0;
    return usec * static_cast<uint64_t>(m_rate) / 1000000;
}

// The stream frame the server takes from the queue next, as its timing says, interpolated
// between its reports; what is written before it is dropped.
uint64_t PulseAudioOutput::takenFrame() const {
    uint64_t frame = playedFrame();
    const pa_timing_info* timing = pa_stream_get_timing_info(m_stream);
    if (timing && !timing->read_index_corrupt && timing->read_index >= 0)
        frame = std::max(frame, static_cast<uint64_t>(timing->read_index) /
                                        (kSampleBytes * static_cast<size_t>(m_channels)) +
                                    pa_timeval_age(&timing->timestamp) *
                                        static_cast<uint64_t>(m_rate) / 1000000);
    return frame;
}

// Where a cut or a new sound is written: a little after the frame the server takes next, never
// before an earlier cut, nor behind what was written.
uint64_t PulseAudioOutput::seamFrame() const {
    const uint64_t frame = takenFrame() + static_cast<uint64_t>(m_rate) * kSeamMilliseconds / 1000;
    return std::min(std::max(frame, m_lastCut), m_writeFrame);
}

float PulseAudioOutput::historyAt(uint64_t frame, size_t channel) const {
    const uint64_t index = frame * static_cast<uint64_t>(m_channels) + channel;
    return m_history[static_cast<size_t>(index % m_history.size())];
}

// The sound for the next `count` samples at m_writeFrame: what a pause held back, then the ring,
// both after what is left of a fade.
void PulseAudioOutput::takeSound(float* samples, size_t count) {
    if (!m_reading)
        return;
    const auto channels = static_cast<size_t>(m_channels);
    const size_t held = std::min(count, m_fade.remaining());
    size_t got = std::min(count - held, m_replay.size() - m_replayed);
    std::copy_n(m_replay.begin() + static_cast<std::ptrdiff_t>(m_replayed), got, samples + held);
    m_replayed += got;
    got += m_ring.read(samples + held + got, count - held - got);
    const uint64_t frames = got / channels;
    if (frames == 0)
        return;
    const uint64_t at = m_writeFrame + held / channels;
    // After the ring ran dry, the sound goes on after the silence written meanwhile.
    if (m_segmentFrames == 0 || at != m_segmentStart + m_segmentFrames)
        m_segmentStart = at - m_segmentFrames;
    m_segmentFrames += frames;
}

void PulseAudioOutput::render(size_t frames) {
    if (frames == 0 || !m_stream)
        return;
    const auto channels = static_cast<size_t>(m_channels);
    const size_t count = frames * channels;
    m_render.assign(count, 0.0f);
    m_fade.seek(m_writeFrame > m_fadeStart ? (m_writeFrame - m_fadeStart) * channels : 0);
    takeSound(m_render.data(), count);
    for (size_t i = 0; i < count; ++i)
        m_history[(m_writeFrame * channels + i) % m_history.size()] = m_render[i];
    m_fade.mixInto(m_render.data(), count);
    const int64_t offset =
        m_seekPending ? static_cast<int64_t>(m_writeFrame * channels * kSampleBytes) : 0;
    pa_stream_write(m_stream, m_render.data(), count * kSampleBytes, nullptr, offset,
                    m_seekPending ? PA_SEEK_ABSOLUTE : PA_SEEK_RELATIVE);
    m_seekPending = false;
    m_writeFrame += frames;
}

// Fades out the sound from `frame` on, as the device would have played it, and stops taking
// sound; a pause keeps what was written after the fade to play it again on resume.
void PulseAudioOutput::cutAt(uint64_t frame, bool keepForResume) {
    const auto channels = static_cast<size_t>(m_channels);
    const size_t fadeFrames =
        static_cast<size_t>(std::min<uint64_t>(m_fade.frames(), m_writeFrame - frame));
    std::vector<float> next(fadeFrames * channels);
    for (size_t f = 0; f < fadeFrames; ++f)
        for (size_t c = 0; c < channels; ++c)
            next[f * channels + c] = historyAt(frame + f, c);
    m_fade.seek(frame > m_fadeStart ? (frame - m_fadeStart) * channels : 0);
    m_fade.cut(next.data(), next.size());
    m_fadeStart = m_lastCut = frame;

    const uint64_t segmentEnd = m_segmentStart + m_segmentFrames;
    const uint64_t heardTo = std::clamp<uint64_t>(frame + fadeFrames, m_segmentStart,
                                                  std::max(segmentEnd, m_segmentStart));
    std::vector<float> unheard;
    if (m_segmentFrames > 0) {
        m_framesBefore += heardTo - m_segmentStart;
        if (keepForResume)
            for (uint64_t f = heardTo; f < segmentEnd; ++f)
                for (size_t c = 0; c < channels; ++c)
                    unheard.push_back(historyAt(f, c));
    }
    if (keepForResume)
        unheard.insert(unheard.end(), m_replay.begin() + static_cast<std::ptrdiff_t>(m_replayed),
                       m_replay.end());
    m_replay = std::move(unheard);
    m_replayed = 0;
    m_segmentFrames = 0;
    m_reading = false;
}

// Writes the stream anew from `frame` on, as far as it was written or as far as there is sound
// for; the server asks for the rest at once, long before it plays what is still queued there.
void PulseAudioOutput::rewriteFrom(uint64_t frame) {
    const auto channels = static_cast<size_t>(m_channels);
    uint64_t frames = m_writeFrame - frame;
    if (m_reading)
        frames = std::min<uint64_t>(
            frames,
            (m_fade.remaining() + m_replay.size() - m_replayed + m_ring.available()) / channels);
    m_writeFrame = frame;
    m_seekPending = true;
    render(static_cast<size_t>(frames));
}

void PulseAudioOutput::start(AudioSource& source) {
    flush();
    m_sourceRate = source.sampleRate();
    m_feeder = std::make_unique<SdlFeeder>(source, m_ring, m_progress, m_rate, m_channels);
    m_feeder->primeThenRun(static_cast<uint64_t>(m_rate * SdlFeeder::kPrimeMilliseconds / 1000));
    Locked lock(m_loop);
    m_reading = true;
    m_segmentFrames = m_framesBefore = 0;
    rewriteFrom(seamFrame());
}

void PulseAudioOutput::pause() {
    if (!m_loop)
        return;
    Locked lock(m_loop);
    if (!m_reading)
        return;
    const uint64_t frame = seamFrame();
    cutAt(frame, true);
    rewriteFrom(frame);
}

void PulseAudioOutput::resume() {
    if (!m_loop || !m_feeder)
        return;
    Locked lock(m_loop);
    if (m_reading)
        return;
    m_reading = true;
    m_segmentFrames = 0;
    rewriteFrom(seamFrame());
}

void PulseAudioOutput::flush() {
    if (m_loop) {
        Locked lock(m_loop);
        if (m_reading) {
            const uint64_t frame = seamFrame();
            cutAt(frame, false);
            rewriteFrom(frame);
        }
        m_reading = false;
        m_replay.clear();
        m_replayed = 0;
        m_segmentFrames = m_framesBefore = 0;
    }
    m_feeder.reset(); // the write callback no longer reads the ring, and now nothing writes it
    m_ring.reset();
}

uint64_t PulseAudioOutput::framesPlayed() const {
    if (!m_loop || m_rate == 0)
        return 0;
    Locked lock(m_loop);
    uint64_t frames = m_framesBefore;
    if (m_reading && m_segmentFrames > 0) {
        const uint64_t played = playedFrame();
        if (played > m_segmentStart)
            frames += std::min(played - m_segmentStart, m_segmentFrames);
    }
    return frames * static_cast<uint64_t>(m_sourceRate) / static_cast<uint64_t>(m_rate);
}

bool PulseAudioOutput::drained() const {
    if (!m_feeder || !m_progress.allQueued.load(std::memory_order_acquire))
        return false;
    Locked lock(m_loop);
    if (!m_reading || m_ring.available() > 0 || m_replayed < m_replay.size())
        return false;
    return playedFrame() >= m_segmentStart + m_segmentFrames;
}
