#pragma once

#include <QByteArray>
#include <QString>

// What copying one file into a directory came to.
struct CopyOutcome {
    enum class Status {
        Copied,           // every byte is in place under the destination's name and on the device
        SameDirectory,    // refused: the destination directory is the source's own
        SourceUnreadable, // the source cannot be opened, or is not a regular file
        Failed,           // the destination cannot be created, or a read or write failed
    };
    Status status = Status::Failed;
    // SourceUnreadable and Failed: "Cannot open file %s", "Cannot create file %s",
    // "Stream read error" or "Stream write error", followed by ": " and the system's own text
    // (such as "No space left on device") where the system named a cause.
    QString message;
};

// The largest piece read and written at a time; the one buffer of a copy is this or the file's
// length, whichever is smaller.
inline constexpr qint64 kCopyChunkSize = 61440;

// Copies the regular file at `sourcePath` byte for byte to `destDirectory` + its file name.
// The bytes go to a nameless file in the destination's directory (a hidden named one where the
// file system has no nameless files) that is flushed to the device and given its name only when
// complete, and the directory is flushed after it, so the source may be deleted once this returns
// Copied. A copy killed half-way leaves nothing behind; leftover named ones of this program are
// removed by the next copy into that directory. A failure removes the temporary file and leaves
// an existing destination exactly as it was. A destination that did not exist when the copy
// began is never replaced, also when another program creates it meanwhile. An existing destination
// is replaced only when it is a regular file the user may write and not the source itself under
// another path (a symbolic link there has the file it names replaced). The copy is left readable
// and writable by its owner, the rest of its mode from the umask.
CopyOutcome copyFileInto(const QByteArray& sourcePath, const QByteArray& destDirectory);

// Removes the named temporary copies in `directory` that no running copy holds (each running one
// keeps its file locked): leftovers of copies killed on a file system without nameless files.
// Only names made of the program's fixed marker and six characters are looked at.
void removeStaleCopies(const QByteArray& directory);
