#pragma once

#include <QObject>
#include <QString>

class DirectoryList;
class IniStore;
class DriveCombo;
class ListBox;
class Prompt;
class QStringListModel;
class QWidget;

// The file browser: drive selector, directory list and WAV file list, and the directory each
// volume was last left at. The browser directory is also the process's working directory.
class Browser : public QObject {
    Q_OBJECT
public:
    Browser(IniStore& store, Prompt& prompt, QWidget* parent);

    DriveCombo* drives() const { return m_drives; }
    DirectoryList* directories() const { return m_directories; }
    ListBox* wavs() const { return m_wavs; }

    QString browserDirectory() const;
    // Shows `directory`, or its nearest existing ancestor when it no longer exists.
    void showStartupDirectory(const QString& directory);
    // Makes `directory` the browser directory; raises an error when it cannot be entered.
    void enterDirectory(const QString& directory);
    void rereadFiles();

    QString selectedWav() const;
    QStringList wavNames() const;

    void DriveComboBox1Change(const QString& mountPath);
    void DirectoryListBox1Exit();

    // Files in a directory above which the file list shows the busy pointer while it is filled.
    static constexpr int kBusyPointerThreshold = 100;

private:
    IniStore& m_store;
    DriveCombo* m_drives;
    DirectoryList* m_directories;
    ListBox* m_wavs;
    QStringListModel* m_wavModel;
};
