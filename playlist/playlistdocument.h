#pragma once

#include <QString>

class IniStore;
class PlaylistEditor;
class PlaylistHost;
class RecentList;

// The playlist as a document in a playlist file: New, Open, Reopen, Save, Save As, the save
// prompt that guards them and the window's close, and the caption naming the file.
class PlaylistDocument {
public:
    PlaylistDocument(PlaylistHost& host, PlaylistEditor& editor, RecentList& recent,
                     IniStore& store)
        : m_host(host), m_editor(editor), m_recent(recent), m_store(store) {}

    // 0: go on without saving; 1: save first; 2: do not go on.
    int GetSaveChoice();
    // Saves to `fileName`, or through the save dialog when it is empty; false when the dialog
    // was cancelled. A failed write raises and leaves everything as it was.
    bool GetSavePlaylist(const QString& fileName);
    // Loads `fileName`, or the file chosen in the open dialog when it is empty.
    void GetOpenPlaylist(const QString& fileName);

    void newPlaylist();
    void open();
    void reopen(const QString& recentName);
    void save();
    void saveAs();
    bool canClose();

    static QString captionFor(const QString& playlistFile);

private:
    // The save prompt before the current playlist is left: true when the command may go on.
    bool leaveCurrentPlaylist();

    PlaylistHost& m_host;
    PlaylistEditor& m_editor;
    RecentList& m_recent;
    IniStore& m_store;
};
