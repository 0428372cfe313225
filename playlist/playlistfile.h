#pragma once

#include <QString>
#include <QStringList>

// The playlist file: one path per line, every line ending in CR LF, no header; an empty playlist
// is an empty file. Reading ends at a NUL byte and takes CR LF, a lone CR and a lone LF as line
// ends. Paths keep their exact bytes through a read and a save.

// Whether the path can be a line of a playlist file that reads back as the same path: its bytes
// hold no line break (CR, LF) and no NUL, and decode to the same text.
bool fitsOnePlaylistLine(const QString& path);
// The path with its line breaks shown as \n and \r, for a message that names it.
QString withVisibleLineBreaks(const QString& path);

// The lines of a playlist file's text.
QStringList parsePlaylistText(const QByteArray& text);
// Raises when a path does not fit one line: a save never writes what would read back otherwise.
QByteArray formatPlaylistText(const QStringList& paths);

// The largest playlist file read, far above real use (about half a million paths).
inline constexpr qint64 kMaxPlaylistBytes = 64 * 1024 * 1024;

// A file larger than kMaxPlaylistBytes is refused as too large, before it is read. Raise
// "Cannot open file %s" (also for anything but a regular file), "Cannot create file %s"
// or "Stream write error", the last two followed by ": " and the system's own text where it named
// a cause. A save replaces the file whole or leaves it as it was.
QStringList readPlaylistFile(const QString& fileName);
void writePlaylistFile(const QString& fileName, const QStringList& paths);
// The same, a step apart: the file's bytes, and the text formatPlaylistText made.
QByteArray readPlaylistBytes(const QString& fileName);
void writePlaylistText(const QString& fileName, const QByteArray& text);
