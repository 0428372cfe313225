#include "playback/regularsoundfile.h"

#include "fileops/pathcodec.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

RegularSoundFile::RegularSoundFile(const QString& path) {
    // Non-blocking open, then a look at what was opened: nothing can swap the file between the
    // check and the read.
    m_fd = ::open(encodePath(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (m_fd < 0) {
        m_error = errno == ENOENT ? QStringLiteral("File not found.")
                                  : QStringLiteral("Cannot open: %1").arg(qt_error_string(errno));
        return;
    }
    struct stat st {};
    if (::fstat(m_fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        m_error = QStringLiteral("Not a regular file.");
        return;
    }
    m_size = st.st_size;
    // The descriptor stays ours, so it is closed exactly once whether or not libsndfile opens.
    m_file = sf_open_fd(m_fd, SFM_READ, &m_info, SF_FALSE);
    if (!m_file)
        m_error = QStringLiteral("Cannot read: %1").arg(QString::fromUtf8(sf_strerror(nullptr)));
}

RegularSoundFile::~RegularSoundFile() {
    if (m_file)
        sf_close(m_file);
    if (m_fd >= 0)
        ::close(m_fd);
}
