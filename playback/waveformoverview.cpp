#include "playback/waveformoverview.h"

#include "playback/waveformscan.h"

WaveformOverview::WaveformOverview(QObject* parent) : QObject(parent) {
    m_worker.setMaxThreadCount(1);
}

WaveformOverview::~WaveformOverview() {
    ++m_generation;
    m_worker.waitForDone();
}

void WaveformOverview::load(const QString& path, int columns) {
    const quint64 generation = ++m_generation;
    m_path = path;
    m_peaks = WaveformPeaks{};
    Q_EMIT peaksChanged(m_peaks);
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
