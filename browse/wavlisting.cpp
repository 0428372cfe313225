#include "browse/wavlisting.h"

#include "fileops/pathcodec.h"

#include <algorithm>
#include <dirent.h>
#include <sys/stat.h>

namespace {

enum class Want { WavFiles, Directories };

bool isWavName(const char* name, size_t length) {
    return length > 4 && name[length - 4] == '.' && (name[length - 3] | 0x20) == 'w' &&
           (name[length - 2] | 0x20) == 'a' && (name[length - 1] | 0x20) == 'v';
}

// The entry's type, from the directory itself where the file system tells it, else from stat.
bool entryIs(int dirFd, const dirent* entry, Want want) {
    unsigned char type = entry->d_type;
    if (type == DT_UNKNOWN || type == DT_LNK) {
        struct stat st {};
        if (fstatat(dirFd, entry->d_name, &st, 0) != 0)
            return false;
        type = S_ISREG(st.st_mode) ? DT_REG : S_ISDIR(st.st_mode) ? DT_DIR : DT_UNKNOWN;
    }
    return want == Want::WavFiles ? type == DT_REG : type == DT_DIR;
}

QStringList listEntries(const QString& directory, Want want, int longAfter = -1,
                        const std::function<void()>& onLong = {}) {
    QStringList names;
    DIR* dir = opendir(encodePath(directory).constData());
    if (!dir)
        return names;
    while (const dirent* entry = readdir(dir)) {
        const char* name = entry->d_name;
        const size_t length = strlen(name);
        if (name[0] == '.')
            continue;
        if (want == Want::WavFiles && !isWavName(name, length))
            continue;
        if (!entryIs(dirfd(dir), entry, want))
            continue;
        names.append(decodePath(QByteArray(name, static_cast<qsizetype>(length))));
        if (onLong && names.size() == longAfter + 1)
            onLong();
    }
    closedir(dir);
    return names;
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
    QStringList names = listEntries(directory, Want::WavFiles, longAfter, onLong);
    sortAsRead(names);
    return names;
}

QStringList listSubdirectories(const QString& directory) {
    QStringList names = listEntries(directory, Want::Directories);
    sortAsRead(names);
    return names;
}
