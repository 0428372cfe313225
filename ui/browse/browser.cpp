#include "ui/browse/browser.h"

#include "base/errorboundary.h"
#include "ui/browse/directorylist.h"
#include "ui/browse/drivecombo.h"
#include "ui/browse/listbox.h"

#include <QGuiApplication>

Browser::Browser(IniStore& store, Prompt& prompt, QWidget* parent)
    : QObject(parent), m_core(store, VolumeList::mounted()), m_drives(new DriveCombo(parent)),
      m_directories(new DirectoryList(parent)), m_wavs(new ListBox(parent)) {
    m_wavs->setModel(m_core.wavModel());
    m_drives->setVolumes(m_core.volumes());
    connect(&m_core, &BrowserCore::directoryEntered, this,
            [this](const QString& mountPath, const QString& directory) {
                m_drives->showVolume(mountPath);
                // Its sub-directories follow once its read has ended.
                m_directories->showDirectory(mountPath, directory, {});
            });
    // The busy pointer from the moment a read turns out to be long until the read has ended.
    connect(&m_core, &BrowserCore::busyChanged, this, [](bool busy) {
        if (busy)
            QGuiApplication::setOverrideCursor(Qt::WaitCursor);
        else
            QGuiApplication::restoreOverrideCursor();
    });
    connect(&m_core, &BrowserCore::filesReread, this, [this] {
        m_wavs->clearSelectedRow();
        m_wavs->raiseRefilled();
    });
    connect(&m_core, &BrowserCore::filesFollowed, this, &Browser::filesFollowed);
    connect(&m_core, &BrowserCore::subdirectoriesRead, m_directories,
            &DirectoryList::showSubdirectories);
    connect(m_directories, &DirectoryList::openRequested, this,
            errorboundary::guarded(prompt, [this](const QString& dir) { enterDirectory(dir); }));
    connect(m_drives, &DriveCombo::volumeChosen, this,
            errorboundary::guarded(prompt, [this](const QString& mount) { showDrive(mount); }));
    connect(m_drives, &DriveCombo::focusEntered, this,
            errorboundary::guarded(prompt, [this] { rememberShownDirectory(); }));
}

void Browser::showStartupPath(const QString& path) {
    const QString file = m_core.showStartupPath(path);
    if (!file.isEmpty())
        m_wavs->selectRow(static_cast<int>(m_core.wavNames().indexOf(file)));
}

QString Browser::selectedWav() const {
    const int row = m_wavs->selectedRow();
    return row < 0 ? QString() : m_core.wavNames().at(row);
}

void Browser::rememberShownDirectory() {
    m_core.rememberDirectory(m_drives->currentMountPath());
}
