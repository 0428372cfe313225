#include "playback/regularsoundfile.h"

#include "base/pathcodec.h"
#include "base/regularfile.h"

#include <cerrno>
#include <sys/stat.h>

RegularSoundFile::RegularSoundFile(const QString& path) {
    FileHandle file = openRegularFile(encodePath(path));
    if (!file.valid()) {
        m_error = errno == ENOENT   ? QStringLiteral("File not found.")
                  : errno == EINVAL ? QStringLiteral("Not a regular file.")
                                    : QStringLiteral("Cannot open: %1").arg(qt_error_string(errno));
        return;
    }
    struct stat st {};
    if (::fstat(file.get(), &st) == 0)
        m_size = st.st_size;
    // libsndfile owns the descriptor from here and closes it with the file.
    m_file = sf_open_fd(file.release(), SFM_READ, &m_info, SF_TRUE);
    if (!m_file)
        m_error = QStringLiteral("Cannot read: %1").arg(QString::fromUtf8(sf_strerror(nullptr)));
}

RegularSoundFile::~RegularSoundFile() {
    if (m_file)
        sf_close(m_file);
}
