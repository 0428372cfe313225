#pragma once

#include "playback/waveformpeaks.h"

#include <QObject>
#include <QString>
#include <QThreadPool>

#include <atomic>

// The overview of the loaded file, computed on a worker thread from the file itself. The peaks
// known so far arrive through peaksChanged on this object's thread as the scan goes on; loading
// another file or clearing stops the old scan at its next block, and nothing of it arrives after.
class WaveformOverview : public QObject {
    Q_OBJECT
public:
    explicit WaveformOverview(QObject* parent = nullptr);
    ~WaveformOverview() override;

    // Starts the overview of `path` in `columns` columns at the next turn of the event loop,
    // dropping the one before.
    void load(const QString& path, int columns);
    // Drops the overview: nothing is loaded.
    void clear();

    const WaveformPeaks& peaks() const { return m_peaks; }
    const QString& path() const { return m_path; }

Q_SIGNALS:
    // The peaks known so far; empty after clear.
    void peaksChanged(const WaveformPeaks& peaks);
    // The scan has read the whole file (false: the file could not be read).
    void finished(bool complete);

private:
    void startScan(quint64 generation, const QString& path, int columns);
    void deliver(quint64 generation, const WaveformPeaks& peaks);
    void conclude(quint64 generation, bool complete);

    WaveformPeaks m_peaks;
    QString m_path;
    // Raised by every load and clear; a scan whose number is no longer current stops.
    std::atomic<quint64> m_generation = 0;
    QThreadPool m_worker;
};
