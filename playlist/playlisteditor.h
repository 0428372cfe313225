#pragma once

#include <QString>
#include <QStringList>

class PlaylistHost;

// The commands that change the playlist's entries or their order. Commands invoked while their
// precondition no longer holds (the selection moved by keyboard since the rules last ran) do
// nothing, so the playlist stays as it was.
class PlaylistEditor {
public:
    explicit PlaylistEditor(PlaylistHost& host) : m_host(host) {}

    // Appends the file `fileName` of `directory`, shown as the preferences say.
    void DoAddStringToPlaylist(const QString& fileName, const QString& directory);
    // Appends a line read from a playlist file, keeping its text as the entry's path.
    void addLoadedLine(const QString& line);
    void addAll(const QStringList& fileNames, const QString& directory);

    void remove();
    void clear();
    void moveUp() { moveSelected(-1); }
    void moveDown() { moveSelected(+1); }
    // Refills the display texts from the paths as ShowPath now says; leaves no selection.
    void rebuildDisplay();

private:
    void appendEntry(const QString& path, const QString& display);
    void moveSelected(int step);

    PlaylistHost& m_host;
};
