#include "browse/browsercore.h"

#include "app/configkeys.h"
#include "app/inistore.h"
#include "app/sxerror.h"
#include "browse/wavlisting.h"
#include "fileops/pathcodec.h"

#include <QDir>

#include <cerrno>
#include <cstring>
#include <unistd.h>

namespace {

QString nearestExistingAncestor(QString directory) {
    while (!isExistingDirectory(directory) && directory != QLatin1String("/"))
        directory = QDir::cleanPath(directory + QStringLiteral("/.."));
    return directory;
}

// Text only: the path keeps the bytes of every name in it.
QString normalised(const QString& directory) {
    return QDir::cleanPath(QDir::isAbsolutePath(directory)
                               ? directory
                               : QDir::currentPath() + QLatin1Char('/') + directory);
}

} // namespace

BrowserCore::BrowserCore(IniStore& store, VolumeList volumes, QObject* parent)
    : QObject(parent), m_store(store), m_volumes(std::move(volumes)) {
    connect(&m_watch, &FolderWatch::changed, this, &BrowserCore::followDisk);
}

void BrowserCore::showStartupDirectory(const QString& directory) {
    enterDirectory(nearestExistingAncestor(normalised(directory)));
}

void BrowserCore::enterDirectory(const QString& directory) {
    const QString target = normalised(directory);
    errno = 0;
    if (!isExistingDirectory(target) || ::chdir(encodePath(target).constData()) != 0) {
        const int error = errno != 0 ? errno : ENOTDIR;
        throw SxError(
            QStringLiteral("%1: %2").arg(target, QString::fromLocal8Bit(strerror(error))));
    }
    m_directory = target;
    m_watch.watch(target);
    Q_EMIT directoryEntered(m_volumes.volumeOf(target).mountPath, target);
    rereadFiles();
}

void BrowserCore::rereadFiles() {
    bool busy = false;
    const QStringList names = listWavFiles(m_directory, kBusyPointerThreshold, [this, &busy] {
        busy = true;
        Q_EMIT busyChanged(true);
    });
    m_wavModel.setNames(names);
    if (busy)
        Q_EMIT busyChanged(false);
    Q_EMIT filesReread();
}

void BrowserCore::followDisk() {
    if (!isExistingDirectory(m_directory)) {
        try {
            enterDirectory(nearestExistingAncestor(m_directory));
        } catch (const SxError&) {
            // The ancestor cannot be entered either; the lists stay as they are.
        }
        return;
    }
    Q_EMIT subdirectoriesRead(listSubdirectories(m_directory));
    const QStringList names = listWavFiles(m_directory);
    if (names == m_wavModel.names())
        return;
    m_wavModel.followNames(names);
    Q_EMIT filesFollowed();
}

void BrowserCore::DriveComboBox1Change(const QString& mountPath) {
    const QString remembered =
        m_store.readString(QLatin1String(cfg::kDirectories), mountPath, mountPath);
    try {
        enterDirectory(remembered);
    } catch (const SxError&) {
        enterDirectory(mountPath);
        m_store.writeString(QLatin1String(cfg::kDirectories), mountPath, mountPath);
    }
}

void BrowserCore::rememberDirectory(const QString& mountPath) const {
    m_store.writeString(QLatin1String(cfg::kDirectories), mountPath, m_directory);
}
