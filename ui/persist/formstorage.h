#pragma once

#include "ui/persist/propsstorage.h"

#include <QString>

class IniStore;
class IniLink;
class WindowPlacement;

// A storage component of the main window: it owns one section of the configuration file. Each
// save writes the window's placement keys there, lets its linked object save and writes its
// stored properties; each restore lets the linked object load and reads the properties back.
// A component that was not restored in this run never saves.
class FormStorage {
public:
    FormStorage(IniStore& store, QString section, WindowPlacement& placement);
    virtual ~FormStorage() = default;

    void setLink(IniLink* link) { m_link = link; }
    void setStoredProperties(QList<StoredProperty> properties) {
        m_properties = std::move(properties);
    }

    void restore();
    // `visible` is what "Visible" records: false for the save of an accepted close, true for the
    // save of a window destroyed without one.
    void save(bool visible);

protected:
    virtual void restorePlacement() {}

    IniStore& m_store;
    const QString m_section;
    WindowPlacement& m_placement;

private:
    IniLink* m_link = nullptr;
    QList<StoredProperty> m_properties;
    bool m_restored = false;
};

// The component that also reads the window's position, size and state back, and keeps the
// window's outer size at least 350 × 200 pixels.
class FormPlacement : public FormStorage {
public:
    FormPlacement(IniStore& store, QString section, WindowPlacement& placement);

protected:
    void restorePlacement() override;
};
