#pragma once

#include "browse/filelistcontroller.h"

#include <QStringList>

// Playback as the lists' decisions ask for it, each call written to a log the test's hooks may
// write to as well, so the log shows the order of everything decided.
class RecordingPlayback : public ListPlayback {
public:
    explicit RecordingPlayback(QStringList& log) : m_log(log) {}
    void loadStep(const QString& fileName) override {
        m_log.append(QStringLiteral("load ") + fileName);
    }
    void startStep(bool loop) override {
        m_log.append(loop ? QStringLiteral("start looped") : QStringLiteral("start once"));
    }
    void closeDevice() override { m_log.append(QStringLiteral("close")); }
    void playFile(const QString& fileName, bool loop) override {
        m_log.append(QStringLiteral("play ") + fileName +
                     (loop ? QStringLiteral(" looped") : QString()));
    }

private:
    QStringList& m_log;
};
