#pragma once

#include "playback/audiooutput.h"
#include "playback/pulseaudiooutput.h"
#include "playback/sdlaudiooutput.h"

// The program's own output, chosen anew at each open so that a sound server started later is
// found by the next play: the sound server's, when one that speaks the PulseAudio protocol
// answers (PulseAudio, or PipeWire's pulse server), else SDL's, which opens the sound device
// itself (ALSA). SONDRIX_AUDIO=sdl, or any SDL_AUDIODRIVER, takes SDL's without asking a server.
class SystemAudioOutput : public AudioOutput {
public:
    // Whether the environment asks for SDL's output.
    static bool sdlChosen();

    void open() override;
    void close() override;
    bool isOpen() const override { return m_current && m_current->isOpen(); }
    bool lost() const override { return m_current && m_current->lost(); }
    void start(AudioSource& source) override { m_current->start(source); }
    void pause() override;
    void resume() override;
    void flush() override;
    uint64_t framesPlayed() const override { return m_current ? m_current->framesPlayed() : 0; }
    bool drained() const override { return m_current && m_current->drained(); }

private:
    PulseAudioOutput m_server;
    SdlAudioOutput m_device;
    AudioOutput* m_current = nullptr;
};
