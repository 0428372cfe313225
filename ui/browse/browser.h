#pragma once

#include "browse/browsercore.h"

#include <QObject>
#include <QString>

class DirectoryList;
class DriveCombo;
class Prompt;
class IniStore;
class ListBox;
class QWidget;

// The file browser's controls: drive selector, directory list and WAV file list, showing the
// state the browser core keeps and passing on what a person chooses in them.
class Browser : public QObject {
    Q_OBJECT
public:
    Browser(IniStore& store, Prompt& prompt, QWidget* parent);

    BrowserCore& core() { return m_core; }
    DriveCombo* drives() const { return m_drives; }
    DirectoryList* directories() const { return m_directories; }
    ListBox* wavs() const { return m_wavs; }

    QString browserDirectory() const { return m_core.browserDirectory(); }
    // Shows the folder at `path`, or the folder of the file at `path` with the file selected
    // (by program: nothing plays).
    void showStartupPath(const QString& path);
    // Makes `directory` the browser directory; raises an error when it cannot be entered.
    void enterDirectory(const QString& directory) { m_core.enterDirectory(directory); }
    void rereadFiles() { m_core.rereadFiles(); }

    QString selectedWav() const;
    QStringList wavNames() const { return m_core.wavNames(); }

    void showDrive(const QString& mountPath) { m_core.showDrive(mountPath); }
    void rememberShownDirectory();

Q_SIGNALS:
    // The file list followed a change on disk; its selection stayed on its file if still there.
    void filesFollowed();

private:
    BrowserCore m_core;
    DriveCombo* m_drives;
    DirectoryList* m_directories;
    ListBox* m_wavs;
};
