#pragma once

#include "playlist/playlistmodel.h"

#include <QString>
#include <QStringList>

class IniStore;
class PlaylistHost;

// The commands that change the playlist's entries or their order. Commands invoked while their
// precondition no longer holds (the selection moved by keyboard since the rules last ran) do
// nothing, so the playlist stays as it was.
class PlaylistEditor {
public:
    PlaylistEditor(PlaylistHost& host, IniStore& store) : m_host(host), m_store(store) {}

    // Appends the file `fileName` of `directory`, shown as the preferences say.
    void DoAddStringToPlaylist(const QString& fileName, const QString& directory);
    // Appends the lines read from a playlist file, keeping each text as the entry's path.
    void addLoadedLines(const QStringList& lines);
    void addAll(const QStringList& fileNames, const QString& directory);

    void remove();
    void clear();
    void moveUp() { moveSelected(-1); }
    void moveDown() { moveSelected(+1); }
    // Refills the display texts from the paths as ShowPath now says; leaves no selection.
    void rebuildDisplay();

private:
    PlaylistModel::Entry fileEntry(const QString& fileName, const QString& directory);
    void appendEntries(const QList<PlaylistModel::Entry>& entries);
    void moveSelected(int step);

    PlaylistHost& m_host;
    IniStore& m_store;
};
