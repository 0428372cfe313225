#include "app/approot.h"

#include "fileops/desktopurlopener.h"
#include "playback/sdlaudiooutput.h"
#include "ui/dialogs/helpservice.h"
#include "ui/dialogs/qtprompt.h"
#include "ui/main/tfrmmain.h"

AppRoot::AppRoot(const MainServices& services) : m_store(IniStore::sharedFilePath()) {
    Prompt* prompt = services.prompt;
    if (!prompt) {
        m_ownPrompt = std::make_unique<QtPrompt>(nullptr);
        prompt = m_ownPrompt.get();
    }
    HelpService* help = services.help;
    if (!help) {
        m_ownHelp = std::make_unique<RecordingHelpService>();
        help = m_ownHelp.get();
    }
    AudioOutput* output = services.output;
    if (!output) {
        m_ownOutput = std::make_unique<SdlAudioOutput>();
        output = m_ownOutput.get();
    }
    m_window = std::make_unique<TfrmMain>(
        MainParts{m_store, *prompt, *help, *output,
                  services.openUrl ? services.openUrl : desktopUrlOpener()});
    if (m_ownPrompt)
        m_ownPrompt->setParent(m_window.get()); // its boxes and dialogs sit over the window
}

AppRoot::~AppRoot() = default;
