#pragma once

#include <QList>
#include <QString>

#include <functional>

class IniStore;
class QWidget;

// One integer property of a control, stored under "<control>_<property>".
struct StoredProperty {
    QString control;
    QString property;
    std::function<int()> get;
    std::function<void(int)> set;
};

// A panel's width as a stored property. In a splitter, the splitter is told the new width too and
// gives the difference to the child that stretches, so a later layout keeps the width.
StoredProperty panelWidthProperty(QWidget& panel);

// Reads and writes the stored properties of one section; made for one restore or one save.
class PropsStorage {
public:
    PropsStorage(IniStore& store, QString section)
        : m_store(store), m_section(std::move(section)) {}

    // Text that is not a decimal integer sets the property to 0.
    void load(const QList<StoredProperty>& properties) const;
    void save(const QList<StoredProperty>& properties) const;

private:
    static QString keyOf(const StoredProperty& p) {
        return p.control + QLatin1Char('_') + p.property;
    }

    IniStore& m_store;
    QString m_section;
};
