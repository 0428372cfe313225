#pragma once

#include <QByteArray>
#include <QString>

enum class WriteResult { Written, CannotCreate, WriteFailed };

// What a replacement came to, with the system's error number of a failure (0 where the system
// named no cause, as for a target refused for its permissions).
struct WriteOutcome {
    WriteResult result = WriteResult::WriteFailed;
    int error = 0;
};

// Every temporary file this program writes beside a target is named target + this marker + six
// random characters. Only files with the marker are ever taken for a killed writer's leftovers:
// a name a person could give a copy ("Sondrix.ini.MyCopy") never is.
inline constexpr char kTemporaryMarker[] = ".sondrix-tmp-";

// Replaces the file at `path` with `content` whole or not at all: the bytes go to a temporary
// file beside the target, are flushed to disk and renamed over it. A symbolic link keeps
// pointing at the file it names; the target keeps its permissions. A target whose owner may not
// write it is refused, also for root, so a file marked read-only stays as it is.
WriteOutcome writeFileAtomically(const QString& path, const QByteArray& content);
