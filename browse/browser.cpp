#include "browse/browser.h"

#include "app/configkeys.h"
#include "app/inistore.h"
#include "app/sxerror.h"
#include "browse/directorylist.h"
#include "browse/drivecombo.h"
#include "browse/listbox.h"
#include "browse/wavlisting.h"
#include "fileops/pathcodec.h"
#include "ui/dialogs/errorboundary.h"

#include <QDir>
#include <QGuiApplication>
#include <QStringListModel>

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

// The busy pointer from the moment a read turns out to be long until the read has ended.
class BusyPointer {
public:
    void show() {
        if (!m_shown)
            QGuiApplication::setOverrideCursor(Qt::WaitCursor);
        m_shown = true;
    }
    ~BusyPointer() {
        if (m_shown)
            QGuiApplication::restoreOverrideCursor();
    }

private:
    bool m_shown = false;
};

} // namespace

Browser::Browser(IniStore& store, Prompt& prompt, QWidget* parent)
    : QObject(parent), m_store(store), m_drives(new DriveCombo(parent)),
      m_directories(new DirectoryList(parent)), m_wavs(new ListBox(parent)),
      m_wavModel(new QStringListModel(this)) {
    m_wavs->setModel(m_wavModel);
    m_drives->setVolumes(VolumeList::mounted());
    connect(m_directories, &DirectoryList::openRequested, this,
            errorboundary::guarded(prompt, [this](const QString& dir) { enterDirectory(dir); }));
    connect(m_drives, &DriveCombo::volumeChosen, this,
            errorboundary::guarded(prompt,
                                   [this](const QString& mount) { DriveComboBox1Change(mount); }));
    connect(m_drives, &DriveCombo::focusEntered, this,
            errorboundary::guarded(prompt, [this] { DirectoryListBox1Exit(); }));
}

QString Browser::browserDirectory() const {
    return m_directories->directory();
}

void Browser::showStartupDirectory(const QString& directory) {
    enterDirectory(nearestExistingAncestor(normalised(directory)));
}

void Browser::enterDirectory(const QString& directory) {
    const QString target = normalised(directory);
    errno = 0;
    if (!isExistingDirectory(target) || ::chdir(encodePath(target).constData()) != 0) {
        const int error = errno != 0 ? errno : ENOTDIR;
        throw SxError(
            QStringLiteral("%1: %2").arg(target, QString::fromLocal8Bit(strerror(error))));
    }
    const Volume& volume = m_drives->volumes().volumeOf(target);
    m_drives->showVolume(volume.mountPath);
    m_directories->showDirectory(volume.mountPath, target);
    rereadFiles();
}

void Browser::rereadFiles() {
    {
        BusyPointer busy;
        const QStringList names =
            listWavFiles(browserDirectory(), kBusyPointerThreshold, [&busy] { busy.show(); });
        m_wavModel->setStringList(names);
        m_wavs->clearSelectedRow();
    }
    m_wavs->raiseRefilled();
}

QString Browser::selectedWav() const {
    const int row = m_wavs->selectedRow();
    return row < 0 ? QString() : m_wavModel->stringList().at(row);
}

QStringList Browser::wavNames() const {
    return m_wavModel->stringList();
}

void Browser::DriveComboBox1Change(const QString& mountPath) {
    const QString remembered =
        m_store.readString(QLatin1String(cfg::kDirectories), mountPath, mountPath);
    try {
        enterDirectory(remembered);
    } catch (const SxError&) {
        enterDirectory(mountPath);
        m_store.writeString(QLatin1String(cfg::kDirectories), mountPath, mountPath);
    }
}

void Browser::DirectoryListBox1Exit() {
    m_store.writeString(QLatin1String(cfg::kDirectories), m_drives->currentMountPath(),
                        browserDirectory());
}
