#pragma once

#include "browse/volumes.h"

#include <QObject>
#include <QString>
#include <QStringListModel>

class IniStore;

// The browser's state without its controls: the mounted volumes, the browser directory (also
// the process's working directory), the WAV names it holds, and the directory each volume was
// last left at. The controls show what it signals.
class BrowserCore : public QObject {
    Q_OBJECT
public:
    BrowserCore(IniStore& store, VolumeList volumes, QObject* parent = nullptr);

    const VolumeList& volumes() const { return m_volumes; }
    QString browserDirectory() const { return m_directory; }
    // The file list's names, decoded losslessly from the directory's bytes.
    QStringListModel* wavModel() { return &m_wavModel; }
    QStringList wavNames() const { return m_wavModel.stringList(); }

    // Shows the folder at `path`, or the folder of the file at `path` and returns the file's
    // name; a path that no longer exists shows its nearest existing ancestor.
    QString showStartupPath(const QString& path);
    // Makes `directory` the browser directory; raises an error when it cannot be entered.
    void enterDirectory(const QString& directory);
    void rereadFiles();

    // A volume was chosen: its remembered directory, or its root when that is gone.
    void DriveComboBox1Change(const QString& mountPath);
    // Remembers the browser directory as the one `mountPath` was left at.
    void rememberDirectory(const QString& mountPath) const;

    // Files in a directory above which a re-read reports itself busy while the list is filled.
    static constexpr int kBusyPointerThreshold = 100;

Q_SIGNALS:
    // The browser directory is now `directory`, on the volume mounted at `mountPath`.
    void directoryEntered(const QString& mountPath, const QString& directory);
    // True as soon as a re-read turns out to be long, false when that read has ended.
    void busyChanged(bool busy);
    // The names have been read again; the file list holds no selection now.
    void filesReread();

private:
    IniStore& m_store;
    VolumeList m_volumes;
    QString m_directory;
    QStringListModel m_wavModel;
};
