#pragma once

#include <QByteArray>

// What the file commands need of the browser's file list: the directory it shows, its selection,
// and a re-read from disk. Names and directories are the bytes of the file system.
class FileList {
public:
    virtual ~FileList() = default;

    virtual QByteArray directory() const = 0; // the browser directory
    virtual int selectedRow() const = 0;      // -1 when nothing is selected
    virtual QByteArray fileName(int row) const = 0;
    virtual int count() const = 0;
    // Reads the directory again; the list then holds no selection.
    virtual void reread() = 0;
    // Selects by program (-1: nothing), raising no change event.
    virtual void selectRow(int row) = 0;
    virtual void focusList() = 0;
};
