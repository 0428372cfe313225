#pragma once

#include <QString>

#include <functional>

class Browser;
class ListBox;
class PlaybackControl;
class PlaylistModel;
class ProgressBar;
class Prompt;
class QWidget;

// What the window's lists show and take besides clicks: the sound file tooltip, files dragged
// out of the lists, files dropped onto the playlist and folders onto the directory list, and the
// waveform of the loaded file in the progress bar.
struct ListGlance {
    QWidget& window; // owns what is made here, made after the lists so it outlives them
    Browser& browser;
    ListBox& playlistList;
    const PlaylistModel& playlist;
    PlaybackControl& playback;
    ProgressBar& progressBar;
    Prompt& prompt;                                    // shows what a drop raises
    std::function<void(const QString& path)> addEntry; // a WAV file dropped onto the playlist
};

void bindListGlance(const ListGlance& parts);
