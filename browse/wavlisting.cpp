#include "browse/wavlisting.h"

#include "base/pathcodec.h"

#include <algorithm>
#include <dirent.h>
#include <sys/stat.h>

namespace {

bool isWavName(const char* name, size_t length) {
    return length > 4 && name[length - 4] == '.' && (name[length - 3] | 0x20) == 'w' &&
           (name[length - 2] | 0x20) == 'a' && (name[length - 1] | 0x20) == 'v';
}

// The entry's type, from the directory itself where the file system tells it, else from stat.
unsigned char entryType(int dirFd, const dirent* entry) {
    const unsigned char type = entry->d_type;
    if (type != DT_UNKNOWN && type != DT_LNK)
        return type;
    struct stat st {};
    if (fstatat(dirFd, entry->d_name, &st, 0) != 0)
        return DT_UNKNOWN;
    return S_ISREG(st.st_mode) ? DT_REG : S_ISDIR(st.st_mode) ? DT_DIR : DT_UNKNOWN;
}

// Hands each WAV file and, when `onDirectory` is given, each sub-directory to its callback, in
// the directory's order.
void readEntries(const QString& directory, const std::function<void(QString)>& onWav,
                 const std::function<void(QString)>& onDirectory,
                 const std::atomic<bool>* cancelled) {
    DIR* dir = opendir(encodePath(directory).constData());
    if (!dir)
        return;
    while (const dirent* entry = readdir(dir)) {
        if (cancelled && cancelled->load(std::memory_order_relaxed))
            break;
        const char* name = entry->d_name;
        if (name[0] == '.')
            continue;
        const size_t length = strlen(name);
        const bool wavName = isWavName(name, length);
        if (!wavName && !onDirectory)
            continue; // no stat for an entry nobody asked about
        const unsigned char type = entryType(dirfd(dir), entry);
        const auto decoded = [&] {
            return decodePath(QByteArray(name, static_cast<qsizetype>(length)));
        };
        if (wavName && type == DT_REG)
            onWav(decoded());
        else if (type == DT_DIR && onDirectory)
            onDirectory(decoded());
    }
    closedir(dir);
}

void sortAsRead(QStringList& names) {
    std::sort(names.begin(), names.end(), wavNameLess);
}

} // namespace

bool wavNameLess(const QString& a, const QString& b) {
    const int folded = a.compare(b, Qt::CaseInsensitive);
    return folded != 0 ? folded < 0 : a < b;
}

QStringList listWavFiles(const QString& directory, int longAfter,
                         const std::function<void()>& onLong) {
    QStringList names;
    readEntries(
        directory,
        [&](QString name) {
            names.append(std::move(name));
            if (onLong && names.size() == longAfter + 1)
                onLong();
        },
        {}, nullptr);
    sortAsRead(names);
    return names;
}

QStringList listSubdirectories(const QString& directory) {
    QStringList names;
    readEntries(
        directory, [](QString) {}, [&](QString name) { names.append(std::move(name)); }, nullptr);
    sortAsRead(names);
    return names;
}

FolderListing readFolder(const QString& directory, const std::function<void(const QString&)>& found,
                         const std::atomic<bool>* cancelled) {
    FolderListing listing;
    readEntries(
        directory,
        [&](QString name) {
            if (found)
                found(name);
            listing.wavFiles.append(std::move(name));
        },
        [&](QString name) { listing.subdirectories.append(std::move(name)); }, cancelled);
    if (cancelled && cancelled->load())
        return listing;
    sortAsRead(listing.wavFiles);
    sortAsRead(listing.subdirectories);
    return listing;
}
