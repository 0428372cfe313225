#include "ui/main/currentlist.h"

#include "base/filepath.h"
#include "base/pathcodec.h"
#include "playlist/playlistmodel.h"
#include "ui/browse/browser.h"
#include "ui/browse/listbox.h"
#include "ui/main/tfrmmain.h"

QByteArray wavRowPath(const Browser& browser, int row) {
    const QStringList names = browser.wavNames();
    if (row < 0 || row >= names.size())
        return {};
    return GetFixedDirectory(encodePath(browser.browserDirectory())) + encodePath(names.at(row));
}

QByteArray entryRowPath(const PlaylistModel& playlist, int row) {
    return row >= 0 && row < playlist.count() ? encodePath(playlist.path(row)) : QByteArray();
}

int CurrentList::whichList() const {
    return m_window.focusWidget() == m_window.lbWavs() ? 0 : 1;
}

QByteArray CurrentList::selectedPath() const {
    if (whichList() == 0)
        return wavRowPath(*m_window.browser(), m_window.lbWavs()->selectedRow());
    return entryRowPath(*m_window.playlistModel(), m_window.lbPlaylist()->selectedRow());
}
