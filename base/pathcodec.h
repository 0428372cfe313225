#pragma once

#include <QByteArray>
#include <QString>

// File names are bytes. UTF-8 names decode as text; a byte that is not part of valid UTF-8
// becomes a lone surrogate U+DC80..U+DCFF and encodes back to the same byte, so every name
// survives the round trip (Qt's own file-name decoding replaces such bytes).
QString decodePath(const QByteArray& bytes);
QByteArray encodePath(const QString& path);

// Whether a regular file (or a link to one) exists at the absolute path.
bool isExistingFile(const QString& path);
// Whether a directory (or a link to one) exists at the path.
bool isExistingDirectory(const QString& path);
