#pragma once

#include "browse/folderwatch.h"
#include "browse/volumes.h"
#include "browse/wavlistmodel.h"

#include <QObject>
#include <QString>

class IniStore;

// The browser's state without its controls: the mounted volumes, the browser directory (also
// the process's working directory), the WAV names it holds, and the directory each volume was
// last left at. The controls show what it signals. The browser directory is watched, so the
// lists follow what other programs change in it.
class BrowserCore : public QObject {
    Q_OBJECT
public:
    BrowserCore(IniStore& store, VolumeList volumes, QObject* parent = nullptr);

    const VolumeList& volumes() const { return m_volumes; }
    QString browserDirectory() const { return m_directory; }
    // The file list's names, decoded losslessly from the directory's bytes.
    WavListModel* wavModel() { return &m_wavModel; }
    QStringList wavNames() const { return m_wavModel.names(); }

    // Shows `directory`, or its nearest existing ancestor when it no longer exists.
    void showStartupDirectory(const QString& directory);
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
    // The directory changed on disk and its WAV names were read again; each selected or current
    // row stays on its file while that file is still there.
    void filesFollowed();
    // The browser directory's sub-directories, read again after it changed on disk.
    void subdirectoriesRead(const QStringList& subdirectories);

private:
    // Reads the directory again after it changed on disk, or, when it has gone, shows its
    // nearest existing ancestor.
    void followDisk();

    IniStore& m_store;
    VolumeList m_volumes;
    QString m_directory;
    WavListModel m_wavModel;
    FolderWatch m_watch;
};
