#pragma once

#include <QByteArray>

#include <functional>

class IniStore;
class Prompt;
class Launcher;

// The Edit command (menu, toolbar, both popups and Ctrl+click in either list): hands the current
// list's selected WAV file to the external editor named in the preferences.
class EditCommand {
public:
    struct Hooks {
        // Stops playback and ends a running playlist, as every file command does first.
        std::function<void()> stopPlayback;
        // The full path, as the bytes of the file system, of the current list's selected file:
        // the browser directory joined with the selected name in the file list, or the stored
        // full path of the selected playlist entry (never its display text).
        std::function<QByteArray()> currentFilePath;
    };

    EditCommand(Launcher& launcher, Prompt& prompt, const IniStore& store, Hooks hooks);

    // Reports a missing WAV file or editor through the prompt; a refused start raises
    // ELaunchError for the general error report.
    void editSelected();

private:
    Launcher& m_launcher;
    Prompt& m_prompt;
    const IniStore& m_store;
    Hooks m_hooks;
};
