#include "fileops/filedelete.h"

#include <sys/stat.h>
#include <unistd.h>

bool deleteWavFile(const QByteArray& path) {
    struct stat st {};
    if (::stat(path.constData(), &st) != 0 || !(st.st_mode & S_IWUSR) ||
        ::access(path.constData(), W_OK) != 0)
        return false;
    return ::unlink(path.constData()) == 0;
}
