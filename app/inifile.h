#pragma once

#include <QString>
#include <QStringList>

#include <optional>

// The text of a configuration file as lines, edited in place so that comments, unknown sections
// and lines the program does not understand survive a rewrite.
class IniText {
public:
    explicit IniText(const QString& text);

    struct Entry {
        QString section;
        QString key;
        QString value;
    };
    // Every key line, in file order, with the section it stands in.
    QList<Entry> entries() const;

    void setValue(const QString& section, const QString& key, const QString& value);
    // Removes every header of the section and the lines under it; other sections stay as they are.
    void removeSection(const QString& section);
    QString toString() const;

private:
    static std::optional<QString> sectionName(const QString& line);
    static std::optional<std::pair<QString, QString>> keyAndValue(const QString& line);

    QStringList m_lines;
};
