#include "ui/persist/formstorage.h"

#include "ui/persist/inilink.h"
#include "ui/persist/screenfit.h"
#include "ui/persist/windowplacement.h"

#include <QGuiApplication>
#include <QScreen>

namespace {

constexpr QSize kMinimumOuterSize(350, 200);

QSize screenSize() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->geometry().size() : QSize();
}

} // namespace

FormStorage::FormStorage(IniStore& store, QString section, WindowPlacement& placement)
    : m_store(store), m_section(std::move(section)), m_placement(placement) {}

void FormStorage::restore() {
    restorePlacement();
    if (m_link)
        m_link->load(m_store);
    m_restored = true;
    PropsStorage(m_store, m_section).load(m_properties);
}

void FormStorage::save(bool visible) {
    if (!m_restored)
        return;
    writePlacementKeys(m_store, m_section, m_placement.record(), screenSize(), visible);
    if (m_link)
        m_link->save(m_store);
    PropsStorage(m_store, m_section).save(m_properties);
}

FormPlacement::FormPlacement(IniStore& store, QString section, WindowPlacement& placement)
    : FormStorage(store, std::move(section), placement) {
    m_placement.setMinimumOuterSize(kMinimumOuterSize);
}

void FormPlacement::restorePlacement() {
    const PlacementRecord current = m_placement.record();
    if (const auto stored = readPlacementPositions(m_store, m_section, screenSize(), current);
        stored && stored->right > stored->left) {
        const qint64 left = stored->left;
        const qint64 top = stored->top;
        const qint64 right = stored->right;
        const qint64 bottom = stored->bottom;
        const QRect available = availableScreenAreaAt((left + right) / 2, (top + bottom) / 2);
        if (!available.isEmpty())
            m_placement.restoreNormalRect(fitStoredRect(left, top, right, bottom, available));
    }
    m_placement.restoreState(storedShowCmd(m_store, m_section));
}
