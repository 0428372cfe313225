#include "fileops/browserfilelist.h"

#include "browse/browser.h"
#include "browse/listbox.h"
#include "fileops/shownname.h"

#include <QFile>

// The browser keeps names as text decoded with QFile::decodeName.
QByteArray BrowserFileList::directory() const {
    return QFile::encodeName(m_browser.browserDirectory());
}

int BrowserFileList::selectedRow() const {
    return m_browser.wavs()->selectedRow();
}

QByteArray BrowserFileList::fileName(int row) const {
    return nameShownAs(directory(), m_browser.wavNames().at(row));
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
