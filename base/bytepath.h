#pragma once

#include <QByteArray>
#include <QString>

// File paths as the kernel sees them: bytes, joined and split at "/" without any decoding, so a
// name that is not valid UTF-8 keeps its bytes.
namespace bytepath {

// The directory with exactly one trailing "/".
QByteArray fixedDirectory(const QByteArray& directory);
// Up to and including the last "/"; empty when there is none.
QByteArray directoryPart(const QByteArray& path);
// What follows the last "/".
QByteArray fileNamePart(const QByteArray& path);
// The path as a message shows it.
QString display(const QByteArray& path);

} // namespace bytepath
