#include "ui/persist/windowstatestore.h"

#include "base/errorboundary.h"
#include "ui/persist/recentlist.h"
#include "ui/persist/storagekeys.h"

using namespace storagekeys;

WindowStateStore::WindowStateStore(IniStore& store, Prompt& prompt, QWidget& window,
                                   const StoredPanels& panels, RecentList& recent,
                                   IniLink* toolbarLayout)
    : m_prompt(prompt), m_placement(new WindowPlacement(window)),
      m_panels(store, QLatin1String(kPanelsSection), *m_placement),
      m_formPlacement(store, QLatin1String(kFormSection), *m_placement),
      m_toolbar(store, QLatin1String(kToolbarSection), *m_placement),
      m_mru(store, QLatin1String(kMruSection), *m_placement) {
    StoredProperty wavs = panelWidthProperty(*panels.wavs);
    if (panels.wavsWidth)
        wavs.get = panels.wavsWidth;
    m_panels.setStoredProperties(
        {wavs, panelWidthProperty(*panels.directories), panelWidthProperty(*panels.playlist)});
    m_toolbar.setLink(toolbarLayout);
    m_mru.setLink(&recent);
}

std::array<FormStorage*, 4> WindowStateStore::restoreOrder() {
    return {&m_mru, &m_toolbar, &m_formPlacement, &m_panels};
}

std::array<FormStorage*, 4> WindowStateStore::saveOrder() {
    return {&m_panels, &m_formPlacement, &m_toolbar, &m_mru};
}

WindowStateStore::~WindowStateStore() {
    if (m_closeSaveDone)
        return;
    errorboundary::run(m_prompt, [this] {
        for (FormStorage* component : saveOrder())
            component->save(true);
    });
}

void WindowStateStore::restore() {
    for (FormStorage* component : restoreOrder())
        errorboundary::run(m_prompt, [component] { component->restore(); });
}

// The first failed write ends the save; one report, and the window still closes. Components left
// unsaved are not tried again when the window is destroyed.
void WindowStateStore::save() {
    m_closeSaveDone = true;
    errorboundary::run(m_prompt, [this] {
        for (FormStorage* component : saveOrder())
            component->save(false);
    });
}
