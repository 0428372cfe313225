// The interface thread while a folder of 200,000 files is entered and while a script writes
// 1,000 files into the shown folder: its longest stall, the time to the first names shown and
// to the complete list, against find | sort -f on the same folder.
#include "base/inistore.h"
#include "bench/timing.h"
#include "ui/browse/browser.h"
#include "ui/browse/listbox.h"
#include "ui/dialogs/qtprompt.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr int kFiles = 200000;
constexpr int kBurst = 1000;

// A timer due every few milliseconds that records how late it fires: the longest time the
// interface thread was busy with something else.
class StallMeter : public QObject {
public:
    StallMeter() {
        m_timer.setTimerType(Qt::PreciseTimer);
        m_timer.setInterval(kTickMs);
        connect(&m_timer, &QTimer::timeout, this, [this] {
            const qint64 now = m_clock.nsecsElapsed();
            m_longestNs = std::max(m_longestNs, now - m_lastNs - kTickMs * 1000000LL);
            m_lastNs = now;
        });
    }
    void start() {
        m_longestNs = 0;
        m_clock.start();
        m_lastNs = 0;
        m_timer.start();
    }
    double stopMs() {
        m_timer.stop();
        return static_cast<double>(m_longestNs) / 1e6;
    }

private:
    static constexpr int kTickMs = 2;
    QTimer m_timer;
    QElapsedTimer m_clock;
    qint64 m_lastNs = 0;
    qint64 m_longestNs = 0;
};

struct EnterFigures {
    double stallMs = 0;
    double firstNamesMs = 0;
    double completeMs = 0;
};

// Enters `directory` from inside the event loop and runs the loop until its list is complete.
EnterFigures enter(Browser& browser, const QString& directory, int expected) {
    StallMeter meter;
    EnterFigures figures{};
    QElapsedTimer clock;
    QEventLoop loop;
    ListBox* wavs = browser.wavs();
    const auto noteFirstNames = [&] {
        if (figures.firstNamesMs == 0 && wavs->count() > 0)
            figures.firstNamesMs = static_cast<double>(clock.nsecsElapsed()) / 1e6;
    };
    const QMetaObject::Connection inserted =
        QObject::connect(wavs->model(), &QAbstractItemModel::rowsInserted, noteFirstNames);
    const QMetaObject::Connection reread =
        QObject::connect(&browser.core(), &BrowserCore::filesReread, [&] {
            noteFirstNames();
            if (wavs->count() == expected) {
                figures.completeMs = static_cast<double>(clock.nsecsElapsed()) / 1e6;
                loop.quit();
            }
        });
    meter.start();
    QTimer::singleShot(20, [&] {
        clock.start();
        browser.enterDirectory(directory);
    });
    loop.exec();
    QApplication::processEvents(); // painted, not only filled
    figures.stallMs = meter.stopMs();
    QObject::disconnect(inserted);
    QObject::disconnect(reread);
    return figures;
}

// Runs a script writing `kBurst` files into the shown `directory` and the event loop until the
// list shows them; returns the longest stall and the time until they were all shown.
std::pair<double, double> burst(Browser& browser, const QString& directory, int expected) {
    StallMeter meter;
    QElapsedTimer clock;
    QEventLoop loop;
    const QMetaObject::Connection followed =
        QObject::connect(&browser.core(), &BrowserCore::filesFollowed, [&] {
            if (browser.wavs()->count() == expected)
                loop.quit();
        });
    QProcess script;
    script.setWorkingDirectory(directory);
    meter.start();
    clock.start();
    script.start(QStringLiteral("sh"),
                 {QStringLiteral("-c"), QStringLiteral("i=0; while [ $i -lt %1 ]; do i=$((i+1)); "
                                                       ": > \"burst $i.wav\"; done")
                                            .arg(kBurst)});
    loop.exec();
    const double shownMs = static_cast<double>(clock.nsecsElapsed()) / 1e6;
    script.waitForFinished();
    QObject::disconnect(followed);
    return {meter.stopMs(), shownMs};
}

} // namespace

int main(int argc, char* argv[]) {
    preferHeadless();
    QApplication app(argc, argv);
    QTemporaryDir dir;
    QTemporaryDir small;
    const QString big = dir.filePath(QStringLiteral("big"));
    QDir().mkpath(big);
    for (int i = 0; i < kFiles; ++i) {
        QFile f(big + QStringLiteral("/sound %1.%2").arg(i).arg(i % 3 ? "wav" : "WAV"));
        if (!f.open(QIODevice::WriteOnly))
            return 1;
    }
    QWidget window;
    QtPrompt prompt(&window);
    IniStore store(dir.filePath(QStringLiteral("settings.ini")));
    Browser browser(store, prompt, &window);
    window.resize(400, 600);
    browser.wavs()->resize(300, 500);
    window.show();

    const double pipeline = medianMs(3, [&] {
        runShell(
            QStringLiteral("find '%1' -maxdepth 1 -iname '*.wav' | sort -f > /dev/null").arg(big));
    });
    EnterFigures worst{};
    std::vector<double> complete;
    for (int run = 0; run < 3; ++run) {
        browser.enterDirectory(small.path());
        const EnterFigures f = enter(browser, big, kFiles);
        worst.stallMs = std::max(worst.stallMs, f.stallMs);
        worst.firstNamesMs = std::max(worst.firstNamesMs, f.firstNamesMs);
        complete.push_back(f.completeMs);
    }
    std::sort(complete.begin(), complete.end());
    const auto [burstStall, burstShown] = burst(browser, big, kFiles + kBurst);

    std::printf("entering a folder of %d files (3 runs):\n", kFiles);
    std::printf("  longest interface stall: %.1f ms (target <= 50 ms)\n", worst.stallMs);
    std::printf("  first names shown after: %.1f ms at worst (target <= 100 ms)\n",
                worst.firstNamesMs);
    std::printf("  complete list after: %.1f ms median; find | sort -f: %.1f ms; ratio %.2f "
                "(target <= 1.2)\n",
                complete[1], pipeline, complete[1] / pipeline);
    std::printf("a script writing %d files into the shown folder:\n", kBurst);
    std::printf("  longest interface stall: %.1f ms (target <= 50 ms)\n", burstStall);
    std::printf("  all shown after: %.1f ms from the script's start\n", burstShown);
    return 0;
}
