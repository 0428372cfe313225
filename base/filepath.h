#pragma once

#include <QByteArray>
#include <QString>

// Paths joined and split at "/". Each helper comes as text and as bytes; the bytes are the path as
// the kernel sees it, split without any decoding, so a name that is not valid UTF-8 keeps them.

// A directory with exactly one trailing "/": "/" itself stays as it is.
QString GetFixedDirectory(const QString& directory);
QByteArray GetFixedDirectory(const QByteArray& directory);

// The directory part of a path, up to and including its last "/"; empty when it has none.
QString directoryPart(const QString& path);
QByteArray directoryPart(const QByteArray& path);
// What follows the last "/" of a path; the whole path when it has none.
QString fileNamePart(const QString& path);
QByteArray fileNamePart(const QByteArray& path);

// A path of bytes as a message shows it.
QString displayPath(const QByteArray& path);

// `directory` when it is an existing directory, else its nearest parent that is one; the home
// folder when the path is not absolute. A remembered folder on a removed volume still leads
// somewhere near it.
QString nearestExistingDirectory(const QString& directory);
