// Loads a 100,000-line playlist into the model with its per-entry preference reads, and saves it.
#include "app/configkeys.h"
#include "app/inistore.h"
#include "bench/timing.h"
#include "fileops/filepath.h"
#include "playlist/playlistfile.h"
#include "playlist/playlistmodel.h"

#include <QCoreApplication>
#include <QTemporaryDir>

#include <cstdio>

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    qputenv("XDG_CONFIG_HOME", dir.path().toUtf8());
    const QString file = dir.filePath(QStringLiteral("big.sxp"));
    QStringList lines;
    for (int i = 0; i < 100000; ++i)
        lines.append(
            QStringLiteral("/home/someone/sounds/library/%1/take %2.wav").arg(i % 97).arg(i));
    writePlaylistFile(file, lines);
    PlaylistModel model;
    const double load = medianMs(5, [&] {
        model.clear();
        for (const QString& line : readPlaylistFile(file)) {
            const bool showPath =
                ReadIniBool(QLatin1String(cfg::kPreferences), QLatin1String(cfg::kShowPath), false);
            ReadIniBool(QLatin1String(cfg::kPreferences), QLatin1String(cfg::kAutoPlaylist), true);
            model.append(line, playlistDisplayText(line, showPath));
        }
    });
    const double save = medianMs(5, [&] { writePlaylistFile(file, model.paths()); });
    const double wc =
        medianMs(5, [&] { runShell(QStringLiteral("wc -l '%1' > /dev/null").arg(file)); });
    std::printf("load of %d lines: %.1f ms (target < 300 ms), ratio to wc -l %.1f\n", model.count(),
                load, load / wc);
    std::printf("save: %.1f ms (target < 100 ms), ratio to wc -l %.1f\n", save, save / wc);
    return 0;
}
