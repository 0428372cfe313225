#pragma once

#include <cstdint>

class SampleRing;

// The sound output. Call order: open() once (it stays open between files; it may block briefly
// while the sound server answers) → the decoder fills ring() → resume() starts taking samples,
// pause() holds them → flush() drops what is queued and resets the played count (it waits for a
// running callback to finish, nothing longer) → further files reuse the same open output.
// A device can go away while open (its sound server stopped, the interface was unplugged): it is
// then lost() and takes no more samples until open() opens an output anew.
// Samples are 32-bit floats, interleaved, at sampleRate() with channels() channels.
class AudioOutput {
public:
    virtual ~AudioOutput() = default;

    // Opens the output, or opens it anew on whatever device is there now when it was lost.
    // Raises SxError with a readable text when there is no output.
    virtual void open() = 0;
    virtual bool isOpen() const = 0;
    virtual bool lost() const = 0;
    virtual int sampleRate() const = 0;
    virtual int channels() const = 0;
    virtual SampleRing& ring() = 0;
    virtual void resume() = 0;
    virtual void pause() = 0;
    virtual void flush() = 0;
    // Frames taken from the ring and handed to the device since the last flush.
    virtual uint64_t framesPlayed() const = 0;
};
