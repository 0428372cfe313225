#pragma once

#include <QByteArray>

class Browser;
class PlaylistModel;
class TfrmMain;

// The full paths of the rows of the window's two lists, as bytes; empty for no such row.
QByteArray wavRowPath(const Browser& browser, int row);
QByteArray entryRowPath(const PlaylistModel& playlist, int row);

// The list the user works in, told by the window's keyboard focus, and its selected file.
class CurrentList {
public:
    explicit CurrentList(const TfrmMain& window) : m_window(window) {}

    // 0 while the file list holds the focus, else 1: the playlist, also when the focus has moved
    // to another control, since a menu or a button does not change the list worked in.
    int whichList() const;
    // The selected file of the current list; empty for no selection.
    QByteArray selectedPath() const;

private:
    const TfrmMain& m_window;
};
