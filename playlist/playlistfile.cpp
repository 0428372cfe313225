#include "playlist/playlistfile.h"

#include "base/atomicwrite.h"
#include "base/pathcodec.h"
#include "base/regularfile.h"
#include "base/sxerror.h"

#include <QFile>

bool fitsOnePlaylistLine(const QString& path) {
    const QByteArray line = encodePath(path);
    return !line.contains('\n') && !line.contains('\r') && !line.contains('\0') &&
           decodePath(line) == path;
}

QString withVisibleLineBreaks(const QString& path) {
    QString shown = path;
    return shown.replace(QLatin1Char('\n'), QLatin1String("\\n"))
        .replace(QLatin1Char('\r'), QLatin1String("\\r"));
}

QStringList parsePlaylistText(const QByteArray& text) {
    const qsizetype nul = text.indexOf('\0');
    const qsizetype end = nul < 0 ? text.size() : nul;
    QStringList lines;
    qsizetype lineStart = 0;
    qsizetype i = 0;
    while (i < end) {
        const char c = text[i];
        if (c != '\r' && c != '\n') {
            ++i;
            continue;
        }
        lines.append(decodePath(text.mid(lineStart, i - lineStart)));
        i += (c == '\r' && i + 1 < end && text[i + 1] == '\n') ? 2 : 1;
        lineStart = i;
    }
    if (lineStart < end)
        lines.append(decodePath(text.mid(lineStart, end - lineStart)));
    return lines;
}

QByteArray formatPlaylistText(const QStringList& paths) {
    QByteArray text;
    for (const QString& path : paths) {
        if (!fitsOnePlaylistLine(path))
            throw SxError(QStringLiteral("The playlist cannot be saved: the entry \"%1\" cannot "
                                         "be written as one line of a playlist file.")
                              .arg(withVisibleLineBreaks(path)));
        text += encodePath(path) + "\r\n";
    }
    return text;
}

QByteArray readPlaylistBytes(const QString& fileName) {
    const auto content = readRegularFile(QFile::encodeName(fileName), kMaxPlaylistBytes);
    if (content.tooLarge)
        throw SxError(QStringLiteral("The file \"%1\" is too large to be a playlist: it holds "
                                     "more than 64 MiB.")
                          .arg(fileName));
    if (content.status != ReadStatus::Read)
        throw SxError(QStringLiteral("Cannot open file %1").arg(fileName));
    return content.bytes;
}

QStringList readPlaylistFile(const QString& fileName) {
    return parsePlaylistText(readPlaylistBytes(fileName));
}

void writePlaylistFile(const QString& fileName, const QStringList& paths) {
    writePlaylistText(fileName, formatPlaylistText(paths));
}

void writePlaylistText(const QString& fileName, const QByteArray& text) {
    const WriteOutcome outcome = writeFileAtomically(fileName, text);
    switch (outcome.result) {
    case WriteResult::Written:
        return;
    case WriteResult::CannotCreate:
        throw SxError(
            withSystemCause(QStringLiteral("Cannot create file %1").arg(fileName), outcome.error));
    case WriteResult::WriteFailed:
        throw SxError(withSystemCause(QStringLiteral("Stream write error"), outcome.error));
    }
}
