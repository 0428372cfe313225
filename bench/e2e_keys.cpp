// Times a person's key press in the running program against spawning `paplay FILE`, the tool a
// Linux user falls back on, through one sound server.
// The program is started on the X display in DISPLAY, in a folder of two short tones. End and
// Home are pressed in its file list through XTest, each press selecting the other tone and so
// playing it; the time from the press until the tone reaches the server's recorded mix is timed.
// Rounds alternate: the program runs its trials and quits, then paplay runs as many, so that
// neither side is measured only at a quiet or a busy moment, and paplay never finds the
// program's stream holding the server at a short latency.
// bench/e2e_sound.sh sets up the server, the recorder and the display.
#include "bench/bigwav.h"
#include "bench/recording.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <cstdio>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

// Xlib defines macros (None, Bool, Status) that Qt's headers must not see.
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

namespace {

constexpr int kToneRate = 48000;
constexpr int kToneBytes = kToneRate * 4 / 4; // a quarter second of 16-bit stereo
constexpr int kRounds = 5;
constexpr int kTrialsPerRound = 6;
constexpr int kTrials = kRounds * kTrialsPerRound;
constexpr auto kToneOver = std::chrono::milliseconds(400); // the tone and its tail have passed

using std::chrono::milliseconds;

struct Times {
    std::vector<double> seen, passed;
    size_t dropouts = 0;
    void add(const TimeToSound& t) {
        seen.push_back(t.seenMs);
        passed.push_back(t.passedMs);
    }
};

class Keyboard {
public:
    Keyboard() : m_display(XOpenDisplay(nullptr)) {
        if (!m_display)
            throw std::runtime_error("cannot open the X display in DISPLAY");
        int event, error, major, minor;
        if (!XTestQueryExtension(m_display, &event, &error, &major, &minor))
            throw std::runtime_error("the X server has no XTest");
    }
    ~Keyboard() { XCloseDisplay(m_display); }
    Keyboard(const Keyboard&) = delete;
    Keyboard& operator=(const Keyboard&) = delete;

    // The name of the window that has the keyboard focus, or "" when none has.
    std::string focusedWindowName() const {
        Window focus = 0;
        int revert = 0;
        XGetInputFocus(m_display, &focus, &revert);
        char* name = nullptr;
        if (focus <= PointerRoot || !XFetchName(m_display, focus, &name) || !name)
            return {};
        std::string result(name);
        XFree(name);
        return result;
    }

    // Presses the key and returns once the X server has it; the release is left for later.
    void press(KeySym key) { send(key, true); }
    void release(KeySym key) { send(key, false); }

private:
    void send(KeySym key, bool down) {
        XTestFakeKeyEvent(m_display, XKeysymToKeycode(m_display, key), down ? True : False,
                          CurrentTime);
        XSync(m_display, False);
    }
    Display* m_display;
};

void writeConfiguration(const QString& startupFolder) {
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    QDir().mkpath(folder);
    QFile file(folder + QStringLiteral("/Sondrix.ini"));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        file.write("[Directories]\nStartup=" + startupFolder.toUtf8() + "\n") < 0)
        throw std::runtime_error("cannot write the configuration in " + folder.toStdString());
}

void waitForFocus(const Keyboard& keyboard, QProcess& program) {
    const Clock::time_point start = Clock::now();
    while (keyboard.focusedWindowName().rfind("Sondrix", 0) != 0) {
        if (program.state() == QProcess::NotRunning ||
            Clock::now() - start > std::chrono::seconds(20))
            throw std::runtime_error("the program's window never took the focus");
        std::this_thread::sleep_for(milliseconds(20));
    }
}

// One press; its time to sound, and its dropouts in the first 80 ms of the tone.
void pressAndTime(Keyboard& keyboard, KeySym key, RecordingTail& tail, Times& times) {
    settle(tail);
    const size_t pressedAt = tail.left().size();
    const Clock::time_point press = Clock::now();
    keyboard.press(key);
    const std::optional<TimeToSound> heard =
        timeUntilSound(tail, pressedAt, press, milliseconds(1000));
    keyboard.release(key);
    std::this_thread::sleep_for(kToneOver);
    tail.readNew();
    if (!heard)
        return;
    times.add(*heard);
    times.dropouts +=
        dropoutFrames(tail.left(), heard->frame, heard->frame + kRecordingRate * 80 / 1000);
}

void programRound(const QString& program, Keyboard& keyboard, RecordingTail& tail, Times& times) {
    QProcess sondrix;
    sondrix.setProcessChannelMode(QProcess::ForwardedChannels);
    sondrix.start(program, {});
    if (!sondrix.waitForStarted(5000))
        throw std::runtime_error("cannot start " + program.toStdString());
    waitForFocus(keyboard, sondrix);
    std::this_thread::sleep_for(milliseconds(500)); // let it finish starting, as a person would
    // The first press selects a tone from nothing; after it each press moves to the other tone.
    Times warmUp;
    pressAndTime(keyboard, XK_Home, tail, warmUp);
    for (int trial = 0; trial < kTrialsPerRound; ++trial)
        pressAndTime(keyboard, trial % 2 == 0 ? XK_End : XK_Home, tail, times);
    sondrix.terminate();
    if (!sondrix.waitForFinished(5000))
        sondrix.kill();
    sondrix.waitForFinished(5000);
}

void paplayRound(const QString& tone, RecordingTail& tail, Times& times) {
    for (int trial = 0; trial < kTrialsPerRound; ++trial) {
        settle(tail);
        QProcess paplay;
        const size_t spawnedAt = tail.left().size();
        const Clock::time_point spawn = Clock::now();
        paplay.start(QStringLiteral("paplay"), {tone});
        if (const auto heard = timeUntilSound(tail, spawnedAt, spawn, milliseconds(2000)))
            times.add(*heard);
        paplay.waitForFinished(5000);
    }
}

void printRatio(const char* what, const std::vector<double>& ours,
                const std::vector<double>& theirs) {
    const auto a = spread(ours), b = spread(theirs);
    if (a && b)
        std::printf("ratio of the medians, %s, Sondrix to paplay: %.2f (target <= 0.5)\n", what,
                    a->median / b->median);
}

int run(const QString& recording, const QString& program) {
    QTemporaryDir dir;
    const QString first = dir.path() + QStringLiteral("/a.wav");
    writeBigWav(first, kToneBytes, kToneRate);
    writeBigWav(dir.path() + QStringLiteral("/b.wav"), kToneBytes, kToneRate);
    writeConfiguration(dir.path());

    Keyboard keyboard;
    RecordingTail tail(recording);
    waitUntilRecording(tail);
    Times ours, paplay;
    for (int round = 0; round < kRounds; ++round) {
        programRound(program, keyboard, tail, ours);
        paplayRound(first, tail, paplay);
    }
    printSpread("Sondrix, key press to sound seen in the recording", ours.seen, kTrials);
    printSpread("paplay FILE, spawn to sound seen in the recording", paplay.seen, kTrials);
    printSpread("Sondrix, key press to sound passing the server", ours.passed, kTrials);
    printSpread("paplay FILE, spawn to sound passing the server", paplay.passed, kTrials);
    std::printf("Sondrix: %zu frames of dropout in the first 80 ms of its tones\n", ours.dropouts);
    printRatio("seen", ours.seen, paplay.seen);
    printRatio("passing the server", ours.passed, paplay.passed);
    return ours.seen.size() == size_t(kTrials) ? 0 : 1;
}

} // namespace

int main(int argc, char* argv[]) {
    return runTool(argc, argv, 2, 2, "e2e_keys RECORDING PROGRAM",
                   [](const QStringList& a) { return run(a[0], a[1]); });
}
