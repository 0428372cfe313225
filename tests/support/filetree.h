#pragma once

#include <QByteArray>
#include <QByteArrayList>

// Plain file access by byte paths for the file operation tests.
namespace filetree {

QByteArray patternBytes(qint64 size);
void writeBytes(const QByteArray& path, const QByteArray& content);
QByteArray readBytes(const QByteArray& path);
bool exists(const QByteArray& path);
// Every name in the directory, hidden ones included, sorted.
QByteArrayList entries(const QByteArray& directory);
unsigned modeOf(const QByteArray& path);
// Removes everything inside the directory, whatever the names and modes; false on a failure.
bool clearDirectory(const QByteArray& directory);

} // namespace filetree
