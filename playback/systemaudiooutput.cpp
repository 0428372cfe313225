#include "playback/systemaudiooutput.h"

#include "base/sxerror.h"

namespace {

const QString kNoOutput = QStringLiteral("No sound output: ");

QString reasonOf(const SxError& error) {
    return error.message().startsWith(kNoOutput) ? error.message().mid(kNoOutput.size())
                                                 : error.message();
}

} // namespace

bool SystemAudioOutput::sdlChosen() {
    return qgetenv("SONDRIX_AUDIO") == "sdl" || !qgetenv("SDL_AUDIODRIVER").isEmpty();
}

void SystemAudioOutput::open() {
    if (isOpen())
        return;
    close();
    QString serverReason;
    if (!sdlChosen()) {
        try {
            m_server.open();
            m_current = &m_server;
            return;
        } catch (const SxError& e) {
            serverReason = reasonOf(e);
        }
    }
    try {
        m_device.open();
        m_current = &m_device;
    } catch (const SxError& e) {
        if (serverReason.isEmpty())
            throw SxError(kNoOutput +
                          QStringLiteral("the sound device could not be opened (%1). Connect a "
                                         "device or choose another, then play again.")
                              .arg(reasonOf(e)));
        throw SxError(kNoOutput + QStringLiteral("%1, and the sound device could not be opened "
                                                 "(%2). Start the sound server or connect a "
                                                 "device, then play again.")
                                      .arg(serverReason, reasonOf(e)));
    }
}

void SystemAudioOutput::close() {
    if (m_current)
        m_current->close();
    m_current = nullptr;
}

void SystemAudioOutput::pause() {
    if (m_current)
        m_current->pause();
}

void SystemAudioOutput::resume() {
    if (m_current)
        m_current->resume();
}

void SystemAudioOutput::flush() {
    if (m_current)
        m_current->flush();
}
