#pragma once

#include <QList>
#include <QString>

// A mounted volume as the drive selector lists it.
struct Volume {
    enum class Type { Removable, Fixed, Network, CdRom, Ram };

    QString mountPath;
    QString label;  // the volume label; may be empty
    QString source; // the device or network source, e.g. "server:/export"
    Type type = Type::Fixed;

    QString displayText() const;
};

// Sorts volumes by mount path and leaves out kernel pseudo file systems; "/" is always listed.
class VolumeList {
public:
    struct Mount {
        QString mountPath;
        QString fileSystemType;
        QString device;
        QString label;
    };

    static VolumeList fromMounts(const QList<Mount>& mounts,
                                 bool (*isRemovableDevice)(const QString& device));
    static VolumeList mounted();

    const QList<Volume>& volumes() const { return m_volumes; }
    // The volume whose mount path is the longest prefix of `directory`.
    const Volume& volumeOf(const QString& directory) const;

    static bool isPseudoFileSystem(const QString& type);
    static Volume::Type classify(const Mount& mount, bool removableDevice);

private:
    QList<Volume> m_volumes;
};
