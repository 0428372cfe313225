#pragma once

#include "fileops/launcher.h"

class CurrentList;
class EditCommand;
class FileCommands;
class HelpService;
class IniStore;
class PlaybackControl;
class PlaylistAdder;
class PlaylistDocument;
class PlaylistEditor;
class PlaylistModel;
class PlaylistRun;
class Prompt;
class SpeedBar;
class TfrmMain;

// What the commands of the table act on: the window and the subsystems the program's root made
// for it. A row's handler takes these and calls the one subsystem the command belongs to.
struct CommandTargets {
    TfrmMain& window; // the view commands, exit, and the owner of the dialogs
    IniStore& store;
    Prompt& prompt;
    HelpService& help;
    FileCommands& files;
    EditCommand& edit;
    PlaybackControl& playback;
    const CurrentList& current; // the file Play and Loop play
    PlaylistModel& playlist;
    PlaylistDocument& document;
    PlaylistEditor& editor;
    PlaylistRun& run;
    PlaylistAdder& adder;
    SpeedBar& toolbar;
    Launcher::UrlOpener openUrl; // opens a web address
};
