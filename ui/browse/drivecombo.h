#pragma once

#include "browse/volumes.h"

#include <QComboBox>

// The drive selector: one entry per mounted volume, each with the icon of its type. Choosing
// the volume already shown raises no change.
class DriveCombo : public QComboBox {
    Q_OBJECT
public:
    explicit DriveCombo(QWidget* parent = nullptr);

    void setVolumes(const VolumeList& volumes);
    const VolumeList& volumes() const { return m_volumes; }
    QString currentMountPath() const;
    // Shows the volume by program, raising no change.
    void showVolume(const QString& mountPath);

Q_SIGNALS:
    void volumeChosen(const QString& mountPath);
    void focusEntered();

protected:
    void focusInEvent(QFocusEvent* event) override;

private:
    VolumeList m_volumes;
    QString m_shownMountPath; // the volume of the browser directory
};
