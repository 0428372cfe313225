#pragma once

#include "fileops/launcher.h"

class EditCommand;
class FileCommands;
class HelpService;
class IniStore;
class Prompt;
class TfrmMain;

// What the commands of the table act on: the window and the subsystems the program's root made
// for it. A row's handler takes these and calls the one subsystem the command belongs to.
struct CommandTargets {
    TfrmMain& window;
    IniStore& store;
    Prompt& prompt;
    HelpService& help;
    FileCommands& files;
    EditCommand& edit;
    Launcher::UrlOpener openUrl; // opens a web address
};
