// Opening a WAV file on the audio device, through SDL's dummy driver. Input: the file's bytes.
// Promise: no crash and no hang (the run's time limit), and either a readable error with nothing
// left open or a file that plays.
#include "base/sxerror.h"
#include "playback/mediaplayer.h"
#include "playback/sdlaudiooutput.h"
#include "tests/fuzz/fuzzsupport.h"

#include <cstdlib>
#include <thread>

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static SdlAudioOutput output;
    static MediaPlayer player(output);
    static const QString file = fuzzFilePath("x.wav");
    writeFuzzFile(file, fuzzInput(data, size));
    player.setFileName(file);
    try {
        player.open();
    } catch (const SxError& e) {
        FUZZ_CHECK(!e.message().isEmpty());
        FUZZ_CHECK(!player.isOpen());
        return 0;
    }
    const qint64 length = player.length();
    FUZZ_CHECK(length >= 0);
    player.play();
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
    const qint64 position = player.position();
    FUZZ_CHECK(position >= 0 && position <= length);
    player.close();
    return 0;
}
