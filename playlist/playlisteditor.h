#pragma once

#include "playlist/playlistmodel.h"

#include <QObject>
#include <QString>
#include <QStringList>

class IniStore;
class Prompt;

// Whether the playlist shows full paths (the ShowPath preference).
bool playlistShowPathPreference(const IniStore& store);

// The commands that change the playlist's entries or their order, each on the row it is given.
// A command given a row that no longer allows it (the selection moved by keyboard since the
// rules last ran) does nothing, so the playlist stays as it was.
class PlaylistEditor : public QObject {
    Q_OBJECT
public:
    PlaylistEditor(PlaylistModel& model, Prompt& prompt, IniStore& store)
        : m_model(model), m_prompt(prompt), m_store(store) {}

    // Appends the file `fileName` of `directory`, shown as the preferences say.
    void DoAddStringToPlaylist(const QString& fileName, const QString& directory);
    // Appends the lines read from a playlist file, keeping each text as the entry's path.
    void addLoadedLines(const QStringList& lines);
    void addAll(const QStringList& fileNames, const QString& directory);

    void remove(int row);
    void clear();
    void moveUp(int row) { move(row, -1); }
    void moveDown(int row) { move(row, +1); }

Q_SIGNALS:
    // Entries were added and the preferences show the playlist on that.
    void showRequested(bool withFocus);
    // The entries or the selection changed: the playlist commands' states are due, and with
    // `withPlayRule` the play commands' too.
    void ruleCheckRequested(bool withPlayRule);

private:
    PlaylistModel::Entry fileEntry(const QString& fileName, const QString& directory);
    void refuseLineBreaks(QList<PlaylistModel::Entry>& entries);
    void appendEntries(QList<PlaylistModel::Entry> entries);
    void move(int from, int step);

    PlaylistModel& m_model;
    Prompt& m_prompt;
    IniStore& m_store;
};
