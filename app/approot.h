#pragma once

#include "app/inistore.h"
#include "fileops/launcher.h"

#include <memory>

class AudioOutput;
class HelpService;
class Prompt;
class QtPrompt;
class TfrmMain;

// What the program asks of the world; tests stand their own in.
struct MainServices {
    Prompt* prompt = nullptr;      // default: message boxes and file dialogs over the window
    HelpService* help = nullptr;   // default: records the request
    AudioOutput* output = nullptr; // default: the system's sound output
    TLauncher::UrlOpener openUrl;  // default: the desktop's handler for web addresses
};

// The program's composition: creates the configuration store, the prompt, the help service and
// the sound output, and hands them to the main window. Nothing of them is reachable otherwise.
class AppRoot {
public:
    explicit AppRoot(const MainServices& services = MainServices());
    ~AppRoot();
    AppRoot(const AppRoot&) = delete;
    AppRoot& operator=(const AppRoot&) = delete;

    TfrmMain& window() const { return *m_window; }
    IniStore& store() { return m_store; }

private:
    IniStore m_store;
    std::unique_ptr<QtPrompt> m_ownPrompt;
    std::unique_ptr<HelpService> m_ownHelp;
    std::unique_ptr<AudioOutput> m_ownOutput;
    std::unique_ptr<TfrmMain> m_window; // destroyed first: it uses everything above
};
