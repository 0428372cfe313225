#include "playback/waveformoverview.h"

#include "base/pathcodec.h"
#include "playback/waveformscan.h"

#include <climits>
#include <unistd.h>

namespace {

// The file list loads a bare name in the working directory; the scan starts later, after which
// the working directory may have moved on.
QString absolutePath(const QString& path) {
    if (path.startsWith(QLatin1Char('/')))
        return path;
    char directory[PATH_MAX];
    if (!::getcwd(directory, sizeof directory))
        return path;
    return decodePath(QByteArray(directory)) + QLatin1Char('/') + path;
}

} // namespace

WaveformOverview::WaveformOverview(QObject* parent) : QObject(parent) {
    m_worker.setMaxThreadCount(1);
}

WaveformOverview::~WaveformOverview() {
    ++m_generation;
    m_worker.waitForDone();
}

void WaveformOverview::load(const QString& path, int columns) {
    const quint64 generation = ++m_generation;
    m_path = absolutePath(path);
    m_peaks = WaveformPeaks{};
    Q_EMIT peaksChanged(m_peaks);
    // The scan starts at the next turn of the event loop: a play started by the same handler has
    // queued its first sound by then, so the scan's reads never delay it.
    QMetaObject::invokeMethod(
        this,
        [this, generation, columns] {
            if (generation == m_generation.load())
                startScan(generation, m_path, columns);
        },
        Qt::QueuedConnection);
}

void WaveformOverview::startScan(quint64 generation, const QString& path, int columns) {
    m_worker.start([this, generation, path, columns] {
        const auto stopped = [&] { return m_generation.load() != generation; };
        WaveformPeaks peaks;
        const bool complete =
            WaveformScan::run(path, columns, peaks, stopped, [&](const WaveformPeaks& known) {
                QMetaObject::invokeMethod(
                    this, [this, generation, known] { deliver(generation, known); },
                    Qt::QueuedConnection);
            });
        if (!stopped())
            QMetaObject::invokeMethod(
                this, [this, generation, complete] { conclude(generation, complete); },
                Qt::QueuedConnection);
    });
}

void WaveformOverview::clear() {
    ++m_generation;
    m_path.clear();
    m_peaks = WaveformPeaks{};
    Q_EMIT peaksChanged(m_peaks);
}

void WaveformOverview::deliver(quint64 generation, const WaveformPeaks& peaks) {
    if (generation != m_generation.load())
        return; // a scan overtaken while its result was on the way
    m_peaks = peaks;
    Q_EMIT peaksChanged(m_peaks);
}

void WaveformOverview::conclude(quint64 generation, bool complete) {
    if (generation == m_generation.load())
        Q_EMIT finished(complete);
}
