#include "base/inifile.h"

#include "base/pathcodec.h"

namespace {

const QString kEncodedMarker = QStringLiteral("%%");
constexpr int kEscapeDigits = 4;

bool isUnpairedSurrogate(const QString& text, qsizetype i) {
    const QChar c = text[i];
    if (c.isHighSurrogate())
        return i + 1 >= text.size() || !text[i + 1].isLowSurrogate();
    if (c.isLowSurrogate())
        return i == 0 || !text[i - 1].isHighSurrogate();
    return false;
}

bool isControl(QChar c) {
    return (c.unicode() < 0x20 && c != QLatin1Char('\t')) || c.unicode() == 0x7F;
}

bool needsEncoding(const QString& text, IniField kind) {
    if (text.startsWith(kEncodedMarker))
        return true;
    for (qsizetype i = 0; i < text.size(); ++i)
        if (isControl(text[i]) || isUnpairedSurrogate(text, i))
            return true;
    switch (kind) {
    case IniField::Value:
        return false;
    case IniField::Section:
        return text != text.trimmed();
    case IniField::Key:
        return text.isEmpty() || text != text.trimmed() || text.contains(QLatin1Char('=')) ||
               text.startsWith(QLatin1Char('[')) || text.startsWith(QLatin1Char(';')) ||
               text.startsWith(QLatin1Char('#'));
    }
    return true;
}

// Inside an encoded field: everything that could end, split or open a line, name or section.
bool isEscapedInside(const QString& text, qsizetype i) {
    const QChar c = text[i];
    static const QString kSpecial = QStringLiteral("%=[];#");
    return isControl(c) || c.isSpace() || kSpecial.contains(c) || isUnpairedSurrogate(text, i);
}

// The code unit written as exactly four hexadecimal digits at the start of the text.
std::optional<char16_t> hexUnit(QStringView text) {
    if (text.size() < kEscapeDigits)
        return std::nullopt;
    char16_t unit = 0;
    for (qsizetype k = 0; k < kEscapeDigits; ++k) {
        const char16_t c = text[k].unicode();
        int value = -1;
        if (c >= u'0' && c <= u'9')
            value = c - u'0';
        else if (c >= u'a' && c <= u'f')
            value = c - u'a' + 10;
        else if (c >= u'A' && c <= u'F')
            value = c - u'A' + 10;
        if (value < 0)
            return std::nullopt;
        unit = static_cast<char16_t>(unit * 16 + value);
    }
    return unit;
}

} // namespace

QString foldIniName(const QString& name) {
    QString folded = name;
    for (QChar& c : folded)
        if (c >= QLatin1Char('A') && c <= QLatin1Char('Z'))
            c = QChar(c.unicode() + ('a' - 'A'));
    return folded;
}

bool sameIniName(const QString& a, const QString& b) {
    return foldIniName(a) == foldIniName(b);
}

QString encodeIniField(const QString& text, IniField kind) {
    if (!needsEncoding(text, kind))
        return text;
    QString out = kEncodedMarker;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (isEscapedInside(text, i))
            out +=
                QStringLiteral("%%1").arg(text[i].unicode(), kEscapeDigits, 16, QLatin1Char('0'));
        else
            out += text[i];
    }
    return out;
}

// A field that starts with the marker but is not a well-formed encoding was written by hand and
// is taken as it stands.
QString decodeIniField(const QString& stored) {
    if (!stored.startsWith(kEncodedMarker))
        return stored;
    QString out;
    for (qsizetype i = kEncodedMarker.size(); i < stored.size(); ++i) {
        if (stored[i] != QLatin1Char('%')) {
            out += stored[i];
            continue;
        }
        const auto unit = hexUnit(QStringView(stored).mid(i + 1));
        if (!unit)
            return stored;
        out += QChar(*unit);
        i += kEscapeDigits;
    }
    return out;
}

IniText::IniText(const QByteArray& bytes) {
    if (bytes.isEmpty())
        return;
    m_lines = bytes.split('\n');
    if (m_lines.last().isEmpty())
        m_lines.removeLast();
}

QString IniText::lineText(qsizetype index) const {
    QByteArray bytes = m_lines[index];
    if (index == 0 && bytes.startsWith("\xEF\xBB\xBF"))
        bytes.remove(0, 3); // a byte-order mark opens the file, not the first name
    if (bytes.endsWith('\r'))
        bytes.chop(1);
    return decodePath(bytes);
}

std::optional<QString> IniText::sectionName(const QString& line) {
    const QString t = line.trimmed();
    if (t.size() < 2 || !t.startsWith(QLatin1Char('[')) || !t.endsWith(QLatin1Char(']')))
        return std::nullopt;
    return decodeIniField(t.mid(1, t.size() - 2).trimmed());
}

// The key is trimmed; the value is everything after the "=", exactly as written, so a value
// that begins or ends with a blank (a directory name, say) survives.
std::optional<std::pair<QString, QString>> IniText::keyAndValue(const QString& line) {
    const QStringView t = QStringView(line).trimmed();
    if (t.startsWith(QLatin1Char(';')) || t.startsWith(QLatin1Char('#')))
        return std::nullopt;
    const qsizetype eq = line.indexOf(QLatin1Char('='));
    if (eq < 0)
        return std::nullopt;
    const QString key = line.left(eq).trimmed();
    if (key.isEmpty())
        return std::nullopt;
    return std::pair{key, line.mid(eq + 1)};
}

QList<IniText::Entry> IniText::entries() const {
    QList<Entry> result;
    std::optional<QString> section;
    for (qsizetype i = 0; i < m_lines.size(); ++i) {
        const QString line = lineText(i);
        if (auto name = sectionName(line)) {
            section = name;
        } else if (section) {
            if (auto kv = keyAndValue(line))
                result.append({*section, decodeIniField(kv->first), decodeIniField(kv->second)});
        }
    }
    return result;
}

namespace {

// A cheap test on the raw bytes: a line whose first byte after ASCII blanks is ASCII and not "["
// is no section header, so it need not be decoded. Any other byte may start a header after a
// Unicode blank and is decoded.
bool cannotBeSectionHeader(const QByteArray& line) {
    for (const char c : line) {
        if (c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f')
            continue;
        return static_cast<unsigned char>(c) < 0x80 && c != '[';
    }
    return true;
}

} // namespace

void IniText::setValue(const QString& section, const QString& key, const QString& value) {
    const QByteArray storedValue = encodePath(encodeIniField(value, IniField::Value));
    qsizetype sectionStart = -1; // index of the header line of the wanted section
    qsizetype insertAt = -1;     // after the last key line of that section
    for (qsizetype i = 0; i < m_lines.size(); ++i) {
        if (sectionStart < 0 && cannotBeSectionHeader(m_lines[i]))
            continue;
        const QString line = lineText(i);
        if (auto name = sectionName(line)) {
            if (sectionStart >= 0)
                break;
            if (sameIniName(*name, section))
                sectionStart = insertAt = i;
            continue;
        }
        if (sectionStart < 0)
            continue;
        if (auto kv = keyAndValue(line)) {
            if (sameIniName(decodeIniField(kv->first), key)) {
                m_lines[i] = encodePath(kv->first) + '=' + storedValue;
                return;
            }
            insertAt = i;
        }
    }
    const QByteArray line = encodePath(encodeIniField(key, IniField::Key)) + '=' + storedValue;
    if (sectionStart >= 0) {
        m_lines.insert(insertAt + 1, line);
        return;
    }
    if (!m_lines.isEmpty() && !lineText(m_lines.size() - 1).trimmed().isEmpty())
        m_lines.append(QByteArray());
    m_lines.append('[' + encodePath(encodeIniField(section, IniField::Section)) + ']');
    m_lines.append(line);
}

void IniText::eraseSection(const QString& section) {
    QList<QByteArray> kept;
    bool erasing = false;
    for (qsizetype i = 0; i < m_lines.size(); ++i) {
        if (!cannotBeSectionHeader(m_lines[i]))
            if (auto name = sectionName(lineText(i)))
                erasing = sameIniName(*name, section);
        if (!erasing)
            kept.append(m_lines[i]);
    }
    m_lines = std::move(kept);
}

QByteArray IniText::toBytes() const {
    QByteArray out;
    for (const QByteArray& line : m_lines)
        out += line + '\n';
    return out;
}
