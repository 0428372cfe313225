// Fills the WAV file list from a folder of 20,000 files and compares with find | sort.
#include "base/inistore.h"
#include "bench/timing.h"
#include "ui/browse/browser.h"
#include "ui/browse/listbox.h"
#include "ui/dialogs/qtprompt.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>

#include <cstdio>

int main(int argc, char* argv[]) {
    preferHeadless();
    QApplication app(argc, argv);
    QTemporaryDir dir;
    for (int i = 0; i < 20000; ++i) {
        QFile f(dir.filePath(QStringLiteral("sound %1.%2").arg(i).arg(i % 3 ? "wav" : "WAV")));
        if (!f.open(QIODevice::WriteOnly))
            return 1;
    }
    QWidget window;
    QtPrompt prompt(&window);
    IniStore store(dir.filePath(QStringLiteral("settings.ini"))); // not a .wav: not listed
    Browser browser(store, prompt, &window);
    window.show();
    const double list = medianMs(9, [&] {
        browser.enterDirectory(dir.path());
        QApplication::processEvents(); // shown, not only filled
    });
    const double pipeline = medianMs(9, [&] {
        runShell(QStringLiteral("find '%1' -maxdepth 1 -iname '*.wav' | sort -f > /dev/null")
                     .arg(dir.path()));
    });
    std::printf("file list of %d files filled and shown: %.1f ms (target < 150 ms)\n",
                browser.wavs()->count(), list);
    std::printf("find | sort -f: %.1f ms; ratio %.2f (target < 3)\n", pipeline, list / pipeline);
    return 0;
}
