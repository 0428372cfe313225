// Opens a 100,000-line playlist the way File > Open does, through the playlist document into the
// visible list of the main window, and saves it; both compared with `wc -l` on the same file.
#include "app/approot.h"
#include "bench/timing.h"
#include "playlist/playlistdocument.h"
#include "playlist/playlistfile.h"
#include "playlist/playlistmodel.h"
#include "ui/browse/listbox.h"
#include "ui/main/tfrmmain.h"

#include <QApplication>
#include <QTemporaryDir>

#include <cstdio>

int main(int argc, char* argv[]) {
    preferHeadless();
    QTemporaryDir home;
    qputenv("HOME", home.path().toUtf8());
    qputenv("XDG_CONFIG_HOME", home.path().toUtf8());
    QApplication app(argc, argv);
    const QString file = home.filePath(QStringLiteral("big.sxp"));
    QStringList lines;
    for (int i = 0; i < 100000; ++i)
        lines.append(
            QStringLiteral("/home/someone/sounds/library/%1/take %2.wav").arg(i % 97).arg(i));
    writePlaylistFile(file, lines);

    AppRoot root;
    TfrmMain& window = root.window();
    window.show();
    QApplication::processEvents();
    const double load = medianMs(5, [&] {
        root.document().GetOpenPlaylist(file);
        QApplication::processEvents(); // shown, not only filled
    });
    const PlaylistModel& model = *window.playlistModel();
    const double save = medianMs(5, [&] { writePlaylistFile(file, model.paths()); });
    const double wc =
        medianMs(5, [&] { runShell(QStringLiteral("wc -l '%1' > /dev/null").arg(file)); });
    std::printf("open of %d lines into the shown list (%d rows): %.1f ms (target < 300 ms), "
                "ratio to wc -l %.1f\n",
                model.count(), window.lbPlaylist()->count(), load, load / wc);
    std::printf("save: %.1f ms (target < 100 ms), ratio to wc -l %.1f\n", save, save / wc);
    return 0;
}
