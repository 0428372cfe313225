#include "browse/wavlisting.h"

#include <QFile>

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

QStringList listEntries(const QString& directory, Want want) {
    QStringList names;
    DIR* dir = opendir(QFile::encodeName(directory).constData());
    if (!dir)
        return names;
    while (const dirent* entry = readdir(dir)) {
        const char* name = entry->d_name;
        const size_t length = strlen(name);
        if (name[0] == '.')
            continue;
        if (want == Want::WavFiles && !isWavName(name, length))
            continue;
        if (entryIs(dirfd(dir), entry, want))
            names.append(QFile::decodeName(QByteArray(name, static_cast<qsizetype>(length))));
    }
    closedir(dir);
    return names;
}

} // namespace

QStringList listWavFiles(const QString& directory) {
    QStringList names = listEntries(directory, Want::WavFiles);
    std::sort(names.begin(), names.end(), [](const QString& a, const QString& b) {
        const int folded = a.compare(b, Qt::CaseInsensitive);
        return folded != 0 ? folded < 0 : a < b;
    });
    return names;
}

QStringList listSubdirectories(const QString& directory) {
    QStringList names = listEntries(directory, Want::Directories);
    std::sort(names.begin(), names.end());
    return names;
}
