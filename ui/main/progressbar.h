#pragma once

#include "playback/waveformoverview.h"

#include <QProgressBar>

// The progress bar, reporting presses with the pointer's position in bar pixels, and drawing
// the waveform of the loaded file over its groove and fill.
class ProgressBar : public QProgressBar {
    Q_OBJECT
public:
    explicit ProgressBar(QWidget* parent = nullptr);

    // Starts the overview of a file just loaded; an empty name drops it (the load failed).
    void showOverview(const QString& fileName);
    const WaveformPeaks& peaks() const { return m_overview.peaks(); }

Q_SIGNALS:
    void pressed(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, int x);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    WaveformOverview m_overview;
};
