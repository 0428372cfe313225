#pragma once

#include <cstdint>

class AudioSource;

// The sound output, which converts whatever its source gives to what the device takes.
// Lifecycle, all calls from one thread:
//   open()          once; it stays open between files. May block while the sound server answers.
//   start(source)   plays the source from its current frame at once; the first sound is queued
//                   before it returns (one read of the source). The source must stay valid and
//                   untouched by the caller until the next flush() or close().
//   pause()/resume() hold and continue the sound; they do not block.
//   flush()         ends the sound, stops reading the source and drops what is queued; it waits
//                   for the reading thread and a running audio callback to finish, nothing longer.
//   close()         flushes and closes the device.
// Sound cut off by pause(), flush() or close() fades out over a few milliseconds instead of
// stopping dead; the fade plays on after the call has returned, and a sound started meanwhile
// begins once it has faded out, never over it. A source that ends by itself is played to its last
// frame as it is, and a start is never faded in. A device can go away while open (its sound server
// stopped, the interface was unplugged): it is then lost() and plays nothing more; close() and
// open() open an output anew.
class AudioOutput {
public:
    virtual ~AudioOutput() = default;

    // Raises SxError with a readable text when there is no output. Does nothing when open.
    virtual void open() = 0;
    virtual void close() = 0;
    virtual bool isOpen() const = 0;
    virtual bool lost() const = 0;
    virtual void start(AudioSource& source) = 0;
    virtual void pause() = 0;
    virtual void resume() = 0;
    virtual void flush() = 0;
    // Frames of the source the device has played since the last start, in the source's timeline.
    virtual uint64_t framesPlayed() const = 0;
    // The source has given its last frame and the device has played all of it.
    virtual bool drained() const = 0;
};
