#include "app/inifile.h"

IniText::IniText(const QString& text) {
    if (text.isEmpty())
        return;
    m_lines = text.split(QLatin1Char('\n'));
    if (m_lines.last().isEmpty())
        m_lines.removeLast();
    for (QString& line : m_lines)
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
}

std::optional<QString> IniText::sectionName(const QString& line) {
    const QString t = line.trimmed();
    if (t.size() < 2 || !t.startsWith(QLatin1Char('[')) || !t.endsWith(QLatin1Char(']')))
        return std::nullopt;
    return t.mid(1, t.size() - 2).trimmed();
}

std::optional<std::pair<QString, QString>> IniText::keyAndValue(const QString& line) {
    const QString t = line.trimmed();
    if (t.startsWith(QLatin1Char(';')) || t.startsWith(QLatin1Char('#')))
        return std::nullopt;
    const qsizetype eq = t.indexOf(QLatin1Char('='));
    if (eq <= 0)
        return std::nullopt;
    const QString key = t.left(eq).trimmed();
    if (key.isEmpty())
        return std::nullopt;
    return std::pair{key, t.mid(eq + 1).trimmed()};
}

QList<IniText::Entry> IniText::entries() const {
    QList<Entry> result;
    std::optional<QString> section;
    for (const QString& line : m_lines) {
        if (auto name = sectionName(line)) {
            section = name;
        } else if (section) {
            if (auto kv = keyAndValue(line))
                result.append({*section, kv->first, kv->second});
        }
    }
    return result;
}

void IniText::setValue(const QString& section, const QString& key, const QString& value) {
    qsizetype sectionStart = -1; // index of the header line of the wanted section
    qsizetype insertAt = -1;     // after the last key line of that section
    for (qsizetype i = 0; i < m_lines.size(); ++i) {
        if (auto name = sectionName(m_lines[i])) {
            if (sectionStart >= 0)
                break;
            if (name->compare(section, Qt::CaseInsensitive) == 0)
                sectionStart = insertAt = i;
            continue;
        }
        if (sectionStart < 0)
            continue;
        if (auto kv = keyAndValue(m_lines[i])) {
            if (kv->first.compare(key, Qt::CaseInsensitive) == 0) {
                m_lines[i] = kv->first + QLatin1Char('=') + value;
                return;
            }
            insertAt = i;
        }
    }
    const QString line = key + QLatin1Char('=') + value;
    if (sectionStart >= 0) {
        m_lines.insert(insertAt + 1, line);
        return;
    }
    if (!m_lines.isEmpty() && !m_lines.last().trimmed().isEmpty())
        m_lines.append(QString());
    m_lines.append(QLatin1Char('[') + section + QLatin1Char(']'));
    m_lines.append(line);
}

void IniText::removeSection(const QString& section) {
    QStringList kept;
    bool inSection = false;
    for (const QString& line : std::as_const(m_lines)) {
        if (auto name = sectionName(line))
            inSection = name->compare(section, Qt::CaseInsensitive) == 0;
        if (!inSection)
            kept.append(line);
    }
    m_lines = std::move(kept);
}

QString IniText::toString() const {
    QString out;
    for (const QString& line : m_lines)
        out += line + QLatin1Char('\n');
    return out;
}
