#include "ui/playlist/playlistadder.h"

#include "playlist/playlisteditor.h"
#include "ui/browse/browser.h"
#include "ui/browse/listbox.h"

void PlaylistAdder::addSelected() {
    m_editor.DoAddStringToPlaylist(m_browser.selectedWav(), m_browser.browserDirectory());
}

void PlaylistAdder::addAllWavs() {
    const int selected = m_browser.wavs()->selectedRow();
    m_editor.addAll(m_browser.wavNames(), m_browser.browserDirectory());
    m_setListFocus(selected);
}
