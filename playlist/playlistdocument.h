#pragma once

#include "playlist/playlistondisk.h"

#include <QObject>
#include <QString>

class IniStore;
class PlaylistEditor;
class PlaylistModel;
class Prompt;

// The playlist as a document in a playlist file: New, Open, Reopen, Save, Save As, the save
// prompt that guards them and the window's close, and the caption naming the file.
class PlaylistDocument : public QObject {
    Q_OBJECT
public:
    PlaylistDocument(PlaylistModel& model, PlaylistEditor& editor, Prompt& prompt, IniStore& store,
                     QObject* parent = nullptr)
        : QObject(parent), m_model(model), m_editor(editor), m_prompt(prompt), m_store(store) {}

    // 0: go on without saving; 1: save first; 2: do not go on.
    int GetSaveChoice();
    // Saves to `fileName`, or through the save dialog when it is empty; false when the dialog
    // was cancelled, or when `fileName` was changed by another program since this window read or
    // wrote it and the user would not overwrite it. A failed write raises and leaves everything
    // as it was.
    bool GetSavePlaylist(const QString& fileName);
    // Loads `fileName`, or the file chosen in the open dialog when it is empty. A load that
    // fails (missing, unreadable) leaves the playlist, its file, flag and the recent list as
    // they were.
    void GetOpenPlaylist(const QString& fileName);

    void newPlaylist();
    void open();
    void reopen(QString recentName); // a copy: it puts the name first in the recent list
    void save();
    void saveAs();
    bool canClose();

    static QString captionFor(const QString& playlistFile);

Q_SIGNALS:
    // A playlist file was opened, or chosen again from the recent files: it goes first there.
    void fileUsed(const QString& file);
    // A playlist was loaded or begun: the playlist and play commands' states are due.
    void ruleCheckRequested(bool withPlayRule);

private:
    // The save prompt before the current playlist is left: true when the command may go on.
    bool leaveCurrentPlaylist();
    // Whether the user lets a save replace `fileName`, asked only when another program changed it.
    bool mayOverwrite(const QString& fileName);
    void write(const QString& fileName, const QByteArray& text);

    PlaylistModel& m_model;
    PlaylistEditor& m_editor;
    Prompt& m_prompt;
    IniStore& m_store;
    PlaylistOnDisk m_onDisk;
};
