#include "ui/fileops/browserfilelist.h"

#include "base/pathcodec.h"
#include "ui/browse/browser.h"
#include "ui/browse/listbox.h"

// The browser keeps names decoded losslessly, so encoding gives the file system's bytes back.
QByteArray BrowserFileList::directory() const {
    return encodePath(m_browser.browserDirectory());
}

int BrowserFileList::selectedRow() const {
    return m_browser.wavs()->selectedRow();
}

QByteArray BrowserFileList::fileName(int row) const {
    return encodePath(m_browser.wavNames().at(row));
}

int BrowserFileList::count() const {
    return m_browser.wavs()->count();
}

void BrowserFileList::reread() {
    m_browser.rereadFiles();
}

void BrowserFileList::selectRow(int row) {
    m_browser.wavs()->selectRow(row);
}

void BrowserFileList::focusList() {
    m_browser.wavs()->setFocus();
}
