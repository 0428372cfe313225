#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <optional>

// Section and key names compare with this one function everywhere, reading and writing alike:
// without regard to ASCII case, every other character as it is.
QString foldIniName(const QString& name);
bool sameIniName(const QString& a, const QString& b);

// A name or value the line format cannot hold (a line break, a key with "=", a key that would
// read as a section or a comment, text that is not valid UTF-16, or one that starts with the
// marker itself) is stored as "%%" followed by the text in which each such character is
// written "%XXXX", its UTF-16 code unit in hexadecimal. Everything else is stored as it is, so
// the names and values a person writes by hand read as they stand.
enum class IniField { Section, Key, Value };
QString encodeIniField(const QString& text, IniField kind);
QString decodeIniField(const QString& stored);

// The text of a configuration file as lines of bytes, edited in place so that comments, unknown
// sections and lines the program does not understand survive a rewrite byte for byte.
class IniText {
public:
    explicit IniText(const QByteArray& bytes);

    struct Entry {
        QString section;
        QString key;
        QString value;
    };
    // Every key line, in file order, with the section it stands in, decoded.
    QList<Entry> entries() const;

    void setValue(const QString& section, const QString& key, const QString& value);
    // Removes every header of the section with the lines under it.
    void eraseSection(const QString& section);
    QByteArray toBytes() const;

private:
    QString lineText(qsizetype index) const;
    static std::optional<QString> sectionName(const QString& line);
    static std::optional<std::pair<QString, QString>> keyAndValue(const QString& line);

    QList<QByteArray> m_lines; // without the line feed; a carriage return before it stays
};
