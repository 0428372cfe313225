#pragma once

#include <QElapsedTimer>
#include <QProcess>
#include <QtGlobal>

#include <algorithm>
#include <functional>
#include <vector>

// The median wall time of `runs` calls, in milliseconds.
inline double medianMs(int runs, const std::function<void()>& work) {
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        work();
        times.push_back(static_cast<double>(timer.nsecsElapsed()) / 1e6);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

inline void runShell(const QString& command) {
    QProcess::execute(QStringLiteral("sh"), {QStringLiteral("-c"), command});
}

// Call first in main: a benchmark that shows widgets runs without a display unless the caller
// chose a platform, and plays into SDL's dummy output unless the caller chose one.
inline void preferHeadless() {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (!qEnvironmentVariableIsSet("SDL_AUDIODRIVER"))
        qputenv("SDL_AUDIODRIVER", "dummy");
}
