#include "base/pathcodec.h"

#include <sys/stat.h>

namespace {

constexpr char16_t kEscapeBase = 0xDC00;

// The code point of the valid UTF-8 sequence starting at `i` and its length, or length 0.
struct Sequence {
    int length = 0;
    char32_t value = 0;
};
Sequence validSequence(const QByteArray& bytes, qsizetype i) {
    const auto b = [&](qsizetype k) { return static_cast<unsigned char>(bytes[k]); };
    const unsigned char lead = b(i);
    int length = 0;
    char32_t minimum = 0;
    char32_t value = 0;
    if (lead < 0x80)
        return {1, lead};
    if ((lead & 0xE0) == 0xC0) {
        length = 2, minimum = 0x80, value = lead & 0x1F;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3, minimum = 0x800, value = lead & 0x0F;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4, minimum = 0x10000, value = lead & 0x07;
    } else {
        return {};
    }
    if (i + length > bytes.size())
        return {};
    for (int k = 1; k < length; ++k) {
        if ((b(i + k) & 0xC0) != 0x80)
            return {};
        value = (value << 6) | (b(i + k) & 0x3F);
    }
    const bool surrogate = value >= 0xD800 && value <= 0xDFFF;
    if (value < minimum || value > 0x10FFFF || surrogate)
        return {};
    return {length, value};
}

} // namespace

// Decoded here rather than by a general UTF-8 decoder, which drops what it takes for a
// byte-order mark (U+FEFF at the start of a run) and would lose those bytes.
QString decodePath(const QByteArray& bytes) {
    QString result;
    result.reserve(bytes.size());
    qsizetype i = 0;
    while (i < bytes.size()) {
        const Sequence sequence = validSequence(bytes, i);
        if (sequence.length == 0) {
            result +=
                QChar(static_cast<char16_t>(kEscapeBase + static_cast<unsigned char>(bytes[i])));
            ++i;
            continue;
        }
        if (QChar::requiresSurrogates(sequence.value)) {
            result += QChar(QChar::highSurrogate(sequence.value));
            result += QChar(QChar::lowSurrogate(sequence.value));
        } else {
            result += QChar(static_cast<char16_t>(sequence.value));
        }
        i += sequence.length;
    }
    return result;
}

QByteArray encodePath(const QString& path) {
    QByteArray result;
    result.reserve(path.size());
    qsizetype runStart = 0;
    for (qsizetype i = 0; i < path.size(); ++i) {
        const char16_t c = path[i].unicode();
        const bool escaped = c >= kEscapeBase + 0x80 && c <= kEscapeBase + 0xFF &&
                             !(i > 0 && path[i - 1].isHighSurrogate());
        if (!escaped)
            continue;
        result += QStringView(path).mid(runStart, i - runStart).toUtf8();
        result += static_cast<char>(c - kEscapeBase);
        runStart = i + 1;
    }
    result += QStringView(path).mid(runStart).toUtf8();
    return result;
}

bool isExistingFile(const QString& path) {
    if (!path.startsWith(QLatin1Char('/')))
        return false; // a line without a directory names no file
    struct stat st {};
    return ::stat(encodePath(path).constData(), &st) == 0 && S_ISREG(st.st_mode);
}

bool isExistingDirectory(const QString& path) {
    struct stat st {};
    return ::stat(encodePath(path).constData(), &st) == 0 && S_ISDIR(st.st_mode);
}
