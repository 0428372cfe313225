#pragma once

#include "browse/folderread.h"
#include "browse/folderwatch.h"
#include "browse/volumes.h"
#include "browse/wavlistmodel.h"

#include <QObject>
#include <QString>
#include <QTimer>

#include <memory>

class IniStore;

// The browser's state without its controls: the mounted volumes, the browser directory (also
// the process's working directory), the WAV names it holds, and the directory each volume was
// last left at. The controls show what it signals. The browser directory is watched, so the
// lists follow what other programs change in it. Directories are read on a worker thread: a
// read that ends within a moment is shown as a whole, as if read on the spot; a longer one shows
// the names found so far until it ends with the sorted list.
class BrowserCore : public QObject {
    Q_OBJECT
public:
    BrowserCore(IniStore& store, VolumeList volumes, QObject* parent = nullptr);
    ~BrowserCore() override;

    const VolumeList& volumes() const { return m_volumes; }
    QString browserDirectory() const { return m_directory; }
    // The file list's names, decoded losslessly from the directory's bytes.
    WavListModel* wavModel() { return &m_wavModel; }
    QStringList wavNames() const { return m_wavModel.names(); }

    // Shows the folder at `path`, or the folder of the file at `path` and returns the file's
    // name; a path that no longer exists shows its nearest existing ancestor.
    QString showStartupPath(const QString& path);
    // Makes `directory` the browser directory; raises an error when it cannot be entered. A read
    // of the directory left that is still running is cancelled.
    void enterDirectory(const QString& directory);
    // Reads the browser directory again and returns with the list filled (the file commands go
    // on with it at once).
    void rereadFiles();

    // A volume was chosen: its remembered directory, or its root when that is gone.
    void showDrive(const QString& mountPath);
    // Remembers the browser directory as the one `mountPath` was left at.
    void rememberDirectory(const QString& mountPath) const;

    // Files in a directory above which a re-read reports itself busy while the list is filled.
    static constexpr int kBusyPointerThreshold = 100;
    // How long entering a directory waits for its read before showing the names found so far,
    // and how often a longer read's names are taken in after that.
    static constexpr int kWaitForReadMs = 25;
    static constexpr int kTakeInMs = 16;

Q_SIGNALS:
    // The browser directory is now `directory`, on the volume mounted at `mountPath`.
    void directoryEntered(const QString& mountPath, const QString& directory);
    // True as soon as a re-read turns out to be long, false when that read has ended or was
    // cancelled.
    void busyChanged(bool busy);
    // The names have been read again (or, for a long read, the read has begun with the names
    // found so far); the file list holds no selection now.
    void filesReread();
    // The directory changed on disk and its WAV names were read again; each selected or current
    // row stays on its file while that file is still there.
    void filesFollowed();
    // The browser directory's sub-directories, read with its files.
    void subdirectoriesRead(const QStringList& subdirectories);

private:
    enum class ReadKind { Reread, Follow };
    // Starts reading the browser directory, cancelling a read still running.
    void startRead(ReadKind kind);
    void takeInRead();
    void finishRead();
    void setBusy(bool busy);
    // Reads the directory again after it changed on disk, or, when it has gone, shows its
    // nearest existing ancestor.
    void followDisk();

    IniStore& m_store;
    VolumeList m_volumes;
    QString m_directory;
    WavListModel m_wavModel;
    FolderWatch m_watch;
    std::unique_ptr<FolderRead> m_read; // the read running, if any
    ReadKind m_readKind = ReadKind::Reread;
    QTimer m_takeIn;
    bool m_busy = false;
    bool m_followPending = false; // the directory changed while it was being read
};
