#pragma once

#include <QByteArray>
#include <QString>

// Renames `from` to `to` without ever replacing a file already called `to`. Where the file
// system cannot rename without replacing, the file is linked under the new name and the old name
// removed; where it has no links either, the new name is checked to be free and the file
// renamed, which leaves a short window in which another program could create that name.
// A name that differs only in letter case and names the same file (a case-insensitive file
// system) is renamed, and a file renamed to its own name succeeds unchanged. Returns false, with
// both names as they were, on any failure.
bool renameNoReplace(const QByteArray& from, const QByteArray& to);

// Why the typed `name` cannot name a file beside the old one, or an empty text when it can. The
// typed text is a name, never a path: an empty name, a "/", a NUL and a leading "." (which also
// covers "." and "..", and would hide the file from the list) are refused.
QString invalidNameReason(const QByteArray& name);

// The path a WAV file is renamed to: its directory, the new name exactly as given, then ".wav".
QByteArray renamedWavPath(const QByteArray& oldPath, const QByteArray& newName);
// Renames the WAV file at `oldPath` to `newName` + ".wav" in its directory, never replacing a
// file. A name `invalidNameReason` refuses is not renamed.
bool renameWav(const QByteArray& oldPath, const QByteArray& newName);
