#pragma once

#include <QByteArray>

#include <functional>

class FileList;
class HelpService;
class IniStore;
class Prompt;
class QWidget;

// The Copy, Move, Rename and Delete commands on the file selected in the browser's file list.
// Each first stops playback and ends a running playlist, then re-reads the list and restores the
// selection as the command requires. The window binds the four handlers to its commands, inside
// its error boundary: a failure the handler does not report itself is raised to that boundary.
class FileCommands {
public:
    struct Hooks {
        // Stops playback (DoStopAll) and sets the playlist abort flag.
        std::function<void()> stopPlayback;
        // Evaluates the WAV rule, then the play rule when `withPlayRule`.
        std::function<void(bool withPlayRule)> checkCommands;
    };

    FileCommands(IniStore& store, Prompt& prompt, HelpService& help, FileList& files, Hooks hooks,
                 QWidget* dialogParent = nullptr);

    void copySelected();
    void moveSelected();
    void renameSelected();
    void deleteSelected();

    // After a file operation: selects `index` again, or the last file when the list has become
    // shorter, gives the list the focus, then evaluates the WAV and play rules. An empty list
    // keeps no selection and the focus stays where it is.
    void DoSetListFocus(int index);

private:
    QByteArray pathOf(int row) const;
    bool copyOrMove(int row, bool isMove);

    IniStore& m_store;
    Prompt& m_prompt;
    HelpService& m_help;
    FileList& m_files;
    Hooks m_hooks;
    QWidget* m_dialogParent;
};
