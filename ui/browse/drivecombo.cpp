#include "ui/browse/drivecombo.h"

#include <QFocusEvent>
#include <QSignalBlocker>
#include <QStyle>

namespace {

QIcon iconFor(const QStyle* style, Volume::Type type) {
    switch (type) {
    case Volume::Type::Removable:
        return style->standardIcon(QStyle::SP_DriveFDIcon);
    case Volume::Type::Network:
        return style->standardIcon(QStyle::SP_DriveNetIcon);
    case Volume::Type::CdRom:
        return style->standardIcon(QStyle::SP_DriveCDIcon);
    case Volume::Type::Ram:
        return style->standardIcon(QStyle::SP_DriveDVDIcon);
    case Volume::Type::Fixed:
        break;
    }
    return style->standardIcon(QStyle::SP_DriveHDIcon);
}

} // namespace

DriveCombo::DriveCombo(QWidget* parent) : QComboBox(parent) {
    setEditable(false);
    connect(this, &QComboBox::activated, this, [this](int index) {
        const QString chosen = itemData(index).toString();
        if (chosen == m_shownMountPath)
            return; // the drive already shown: nothing to change
        m_shownMountPath = chosen;
        Q_EMIT volumeChosen(chosen);
    });
}

void DriveCombo::setVolumes(const VolumeList& volumes) {
    const QSignalBlocker blocker(this);
    m_volumes = volumes;
    clear();
    for (const Volume& volume : m_volumes.volumes())
        addItem(iconFor(style(), volume.type), volume.displayText(), volume.mountPath);
}

QString DriveCombo::currentMountPath() const {
    return currentData().toString();
}

void DriveCombo::showVolume(const QString& mountPath) {
    const QSignalBlocker blocker(this);
    m_shownMountPath = mountPath;
    setCurrentIndex(findData(mountPath));
}

void DriveCombo::focusInEvent(QFocusEvent* event) {
    QComboBox::focusInEvent(event);
    if (event->reason() != Qt::ActiveWindowFocusReason && event->reason() != Qt::PopupFocusReason)
        Q_EMIT focusEntered();
}
