#include "fileops/nameescape.h"

#include "base/pathcodec.h"

namespace {

// The byte a lossless decode kept as a lone surrogate U+DC80..U+DCFF, or -1 for any other unit.
int escapedByte(const QString& decoded, qsizetype i) {
    const char16_t c = decoded[i].unicode();
    const bool paired = i > 0 && decoded[i - 1].isHighSurrogate();
    return c >= 0xDC80 && c <= 0xDCFF && !paired ? c - 0xDC00 : -1;
}

bool holdsInvalidUtf8(const QString& decoded) {
    for (qsizetype i = 0; i < decoded.size(); ++i)
        if (escapedByte(decoded, i) >= 0)
            return true;
    return false;
}

int hexValue(QChar c) {
    const char16_t u = c.unicode();
    if (u >= u'0' && u <= u'9')
        return u - u'0';
    if (u >= u'a' && u <= u'f')
        return u - u'a' + 10;
    if (u >= u'A' && u <= u'F')
        return u - u'A' + 10;
    return -1;
}

} // namespace

QString nameForEditing(const QByteArray& name) {
    const QString decoded = decodePath(name);
    if (!holdsInvalidUtf8(decoded))
        return decoded;
    QString shown;
    for (qsizetype i = 0; i < decoded.size(); ++i) {
        const int byte = escapedByte(decoded, i);
        if (byte >= 0)
            shown += QStringLiteral("\\x") +
                     QStringLiteral("%1").arg(byte, 2, 16, QLatin1Char('0')).toUpper();
        else if (decoded[i] == QLatin1Char('\\'))
            shown += QStringLiteral("\\\\");
        else
            shown += decoded[i];
    }
    return shown;
}

QByteArray nameFromEditing(const QString& text, const QByteArray& original) {
    if (!holdsInvalidUtf8(decodePath(original)))
        return encodePath(text);
    QByteArray bytes;
    qsizetype runStart = 0; // of plain text not yet encoded
    auto takeEscape = [&](qsizetype at, qsizetype length, char byte) {
        bytes += encodePath(text.mid(runStart, at - runStart));
        bytes += byte;
        runStart = at + length;
    };
    for (qsizetype i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != QLatin1Char('\\'))
            continue;
        if (text[i + 1] == QLatin1Char('\\')) {
            takeEscape(i, 2, '\\');
            ++i;
        } else if (text[i + 1] == QLatin1Char('x') && i + 3 < text.size() &&
                   hexValue(text[i + 2]) >= 0 && hexValue(text[i + 3]) >= 0) {
            takeEscape(i, 4, static_cast<char>(hexValue(text[i + 2]) * 16 + hexValue(text[i + 3])));
            i += 3;
        }
    }
    return bytes + encodePath(text.mid(runStart));
}
