#include "browse/browsercore.h"

#include "base/configkeys.h"
#include "base/inistore.h"
#include "base/pathcodec.h"
#include "base/sxerror.h"
#include "browse/wavlisting.h"

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
    m_takeIn.setInterval(kTakeInMs);
    connect(&m_takeIn, &QTimer::timeout, this, &BrowserCore::takeInRead);
}

BrowserCore::~BrowserCore() = default;

QString BrowserCore::showStartupPath(const QString& path) {
    const QString target = normalised(path);
    if (!isExistingFile(target)) {
        enterDirectory(nearestExistingAncestor(target));
        return {};
    }
    const qsizetype slash = target.lastIndexOf(QLatin1Char('/'));
    enterDirectory(slash == 0 ? QStringLiteral("/") : target.left(slash));
    return target.mid(slash + 1);
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
    startRead(ReadKind::Reread);
    if (m_read->waitFinished(kWaitForReadMs)) {
        finishRead();
        return;
    }
    // A long read: the names found so far at once, the others as they come.
    m_wavModel.setNames(m_read->takeFound());
    setBusy(m_wavModel.rowCount() > kBusyPointerThreshold);
    Q_EMIT filesReread();
    m_takeIn.start();
}

void BrowserCore::rereadFiles() {
    startRead(ReadKind::Reread);
    m_read->waitFinished(-1);
    finishRead();
}

void BrowserCore::startRead(ReadKind kind) {
    m_takeIn.stop();
    setBusy(false);
    m_followPending = false;
    m_readKind = kind;
    m_read = std::make_unique<FolderRead>(m_directory);
}

void BrowserCore::takeInRead() {
    const bool ended = m_read->isFinished(); // before taking, so no name found is missed
    if (m_readKind == ReadKind::Reread) {
        m_wavModel.appendNames(m_read->takeFound());
        if (m_wavModel.rowCount() > kBusyPointerThreshold)
            setBusy(true);
    }
    if (ended)
        finishRead();
}

void BrowserCore::finishRead() {
    m_takeIn.stop();
    const FolderListing listing = m_read->takeListing();
    const ReadKind kind = m_readKind;
    m_read.reset();
    Q_EMIT subdirectoriesRead(listing.subdirectories);
    if (kind == ReadKind::Follow) {
        if (listing.wavFiles != m_wavModel.names()) {
            m_wavModel.followNames(listing.wavFiles);
            Q_EMIT filesFollowed();
        }
    } else {
        if (listing.wavFiles.size() > kBusyPointerThreshold)
            setBusy(true);
        m_wavModel.setNames(listing.wavFiles);
        setBusy(false);
        Q_EMIT filesReread();
    }
    if (std::exchange(m_followPending, false))
        followDisk();
}

void BrowserCore::setBusy(bool busy) {
    if (busy == m_busy)
        return;
    m_busy = busy;
    Q_EMIT busyChanged(busy);
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
    if (m_read) {
        m_followPending = true; // read again once the running read has ended
        return;
    }
    startRead(ReadKind::Follow);
    m_takeIn.start();
}

void BrowserCore::showDrive(const QString& mountPath) {
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
