#include "bench/fifotap.h"

#include <QFile>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <stdexcept>

FifoTap::FifoTap(const QString& path) : m_path(path) {
    if (mkfifo(QFile::encodeName(path).constData(), 0600) != 0)
        throw std::runtime_error("cannot make the pipe " + path.toStdString());
    m_reader = std::thread([this] { read(); });
}

FifoTap::~FifoTap() {
    m_stop = true;
    // A reader still waiting for the writer to open is let go by a writer that opens and leaves.
    const int fd = ::open(QFile::encodeName(m_path).constData(), O_WRONLY | O_NONBLOCK);
    if (fd >= 0)
        ::close(fd);
    m_reader.join();
}

void FifoTap::arm() {
    std::lock_guard lock(m_mutex);
    m_firstSound.reset();
}

std::optional<FifoTap::Clock::time_point> FifoTap::waitForSound(std::chrono::milliseconds timeout) {
    std::unique_lock lock(m_mutex);
    m_heard.wait_for(lock, timeout, [this] { return m_firstSound.has_value(); });
    return m_firstSound;
}

void FifoTap::read() {
    const int fd = ::open(QFile::encodeName(m_path).constData(), O_RDONLY);
    if (fd < 0)
        return;
    char buffer[16384];
    while (!m_stop) {
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got <= 0)
            break;
        // The output's silence is all zero bytes; any other byte is sound.
        if (std::any_of(buffer, buffer + got, [](char c) { return c != 0; })) {
            const Clock::time_point now = Clock::now();
            std::lock_guard lock(m_mutex);
            if (!m_firstSound) {
                m_firstSound = now;
                m_heard.notify_all();
            }
        }
    }
    ::close(fd);
}
