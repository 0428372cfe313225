#include "browse/volumes.h"

#include <QFile>
#include <QFileInfo>
#include <QStorageInfo>

#include <algorithm>

namespace {

bool pathIsInside(const QString& directory, const QString& mountPath) {
    if (mountPath == QLatin1String("/"))
        return directory.startsWith(QLatin1Char('/'));
    return directory == mountPath || directory.startsWith(mountPath + QLatin1Char('/'));
}

// A block device says whether it is removable in sysfs; a partition asks its disk.
bool sysfsSaysRemovable(const QString& device) {
    if (!device.startsWith(QLatin1String("/dev/")))
        return false;
    const QString name = QFileInfo(QFileInfo(device).canonicalFilePath()).fileName();
    const QString entry = QFileInfo(QStringLiteral("/sys/class/block/") + name).canonicalFilePath();
    for (const QString& candidate :
         {entry + QStringLiteral("/removable"), entry + QStringLiteral("/../removable")}) {
        QFile file(candidate);
        if (file.open(QIODevice::ReadOnly))
            return file.readAll().trimmed() == "1";
    }
    return false;
}

} // namespace

QString Volume::displayText() const {
    if (label.isEmpty())
        return mountPath;
    return mountPath + QStringLiteral(" [") + label + QLatin1Char(']');
}

bool VolumeList::isPseudoFileSystem(const QString& type) {
    static const QStringList pseudo = {QStringLiteral("proc"),
                                       QStringLiteral("sysfs"),
                                       QStringLiteral("cgroup"),
                                       QStringLiteral("cgroup2"),
                                       QStringLiteral("devpts"),
                                       QStringLiteral("mqueue"),
                                       QStringLiteral("debugfs"),
                                       QStringLiteral("tracefs"),
                                       QStringLiteral("securityfs"),
                                       QStringLiteral("pstore"),
                                       QStringLiteral("bpf"),
                                       QStringLiteral("configfs"),
                                       QStringLiteral("fusectl"),
                                       QStringLiteral("hugetlbfs"),
                                       QStringLiteral("autofs"),
                                       QStringLiteral("binfmt_misc"),
                                       QStringLiteral("devtmpfs"),
                                       QStringLiteral("efivarfs"),
                                       QStringLiteral("nsfs"),
                                       QStringLiteral("rpc_pipefs"),
                                       QStringLiteral("selinuxfs"),
                                       QStringLiteral("fuse.portal"),
                                       QStringLiteral("fuse.gvfsd-fuse")};
    return pseudo.contains(type);
}

Volume::Type VolumeList::classify(const Mount& mount, bool removableDevice) {
    static const QStringList network = {
        QStringLiteral("nfs"),           QStringLiteral("nfs4"),
        QStringLiteral("cifs"),          QStringLiteral("smb3"),
        QStringLiteral("smbfs"),         QStringLiteral("sshfs"),
        QStringLiteral("fuse.sshfs"),    QStringLiteral("afs"),
        QStringLiteral("ncpfs"),         QStringLiteral("9p"),
        QStringLiteral("davfs"),         QStringLiteral("fuse.rclone"),
        QStringLiteral("fuse.curlftpfs")};
    const QString& type = mount.fileSystemType;
    if (network.contains(type) ||
        (type.startsWith(QLatin1String("fuse.")) && mount.device.contains(QLatin1Char(':'))))
        return Volume::Type::Network;
    if (type == QLatin1String("iso9660") || type == QLatin1String("udf"))
        return Volume::Type::CdRom;
    if (type == QLatin1String("tmpfs") || type == QLatin1String("ramfs"))
        return Volume::Type::Ram;
    if (removableDevice || mount.mountPath.startsWith(QLatin1String("/media/")) ||
        mount.mountPath.startsWith(QLatin1String("/run/media/")))
        return Volume::Type::Removable;
    return Volume::Type::Fixed;
}

VolumeList VolumeList::fromMounts(const QList<Mount>& mounts,
                                  bool (*isRemovableDevice)(const QString& device)) {
    VolumeList list;
    for (const Mount& mount : mounts) {
        if (isPseudoFileSystem(mount.fileSystemType) && mount.mountPath != QLatin1String("/"))
            continue;
        const bool duplicate =
            std::any_of(list.m_volumes.cbegin(), list.m_volumes.cend(),
                        [&](const Volume& v) { return v.mountPath == mount.mountPath; });
        if (duplicate)
            continue;
        list.m_volumes.append(Volume{mount.mountPath, mount.label, mount.device,
                                     classify(mount, isRemovableDevice(mount.device))});
    }
    const bool hasRoot =
        std::any_of(list.m_volumes.cbegin(), list.m_volumes.cend(),
                    [](const Volume& v) { return v.mountPath == QLatin1String("/"); });
    if (!hasRoot)
        list.m_volumes.append(Volume{QStringLiteral("/"), {}, {}, Volume::Type::Fixed});
    std::sort(list.m_volumes.begin(), list.m_volumes.end(),
              [](const Volume& a, const Volume& b) { return a.mountPath < b.mountPath; });
    return list;
}

VolumeList VolumeList::mounted() {
    QList<Mount> mounts;
    for (const QStorageInfo& info : QStorageInfo::mountedVolumes())
        mounts.append({info.rootPath(), QString::fromLatin1(info.fileSystemType()),
                       QString::fromLocal8Bit(info.device()), info.name()});
    return fromMounts(mounts, sysfsSaysRemovable);
}

const Volume& VolumeList::volumeOf(const QString& directory) const {
    const Volume* best = &m_volumes.first(); // "/" sorts first and holds every absolute path
    for (const Volume& volume : m_volumes)
        if (pathIsInside(directory, volume.mountPath) &&
            volume.mountPath.size() > best->mountPath.size())
            best = &volume;
    return *best;
}
