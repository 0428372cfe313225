#pragma once

#include "base/filehandle.h"

#include <QByteArray>

// Files the program reads are opened only when they are regular files: a FIFO under a file's
// name would block the open or the read forever, and a device such as /dev/zero never ends. The
// open never blocks; anything that is not a regular file is refused as EINVAL.

struct stat;

// The open descriptor of the regular file at the native path, or an invalid handle with errno
// set. `status`, where given, receives what the open learned of the file.
FileHandle openRegularFile(const QByteArray& nativePath, struct stat* status = nullptr);

enum class ReadStatus { Read, Missing, Refused };
struct RegularFileContent {
    ReadStatus status = ReadStatus::Refused;
    QByteArray bytes;
    bool tooLarge = false; // Refused for holding more than the bound
};
// The whole content of the regular file at the native path. A missing file is Missing; a file
// that is not regular, cannot be read or holds more than `maxBytes` is Refused, one over the
// bound before a byte is read.
RegularFileContent readRegularFile(const QByteArray& nativePath, qint64 maxBytes);
