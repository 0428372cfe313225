#pragma once

#include "ui/fileops/filelist.h"

class Browser;

// The browser's file list as the file commands see it.
class BrowserFileList : public FileList {
public:
    explicit BrowserFileList(Browser& browser) : m_browser(browser) {}

    QByteArray directory() const override;
    int selectedRow() const override;
    QByteArray fileName(int row) const override;
    int count() const override;
    void reread() override;
    void selectRow(int row) override;
    void focusList() override;

private:
    Browser& m_browser;
};
