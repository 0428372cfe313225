#pragma once

#include <unistd.h>
#include <utility>

// Owns one open file descriptor and closes it when it goes.
class FileHandle {
public:
    explicit FileHandle(int fd) : m_fd(fd) {}
    ~FileHandle() { close(); }
    FileHandle(FileHandle&& other) noexcept : m_fd(std::exchange(other.m_fd, -1)) {}
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;

    int get() const { return m_fd; }
    // Hands the descriptor to a new owner.
    int release() { return std::exchange(m_fd, -1); }
    bool valid() const { return m_fd >= 0; }
    // Closes now; false when the close reports a failure (a delayed write error shows here).
    bool close() {
        const int fd = std::exchange(m_fd, -1);
        return fd < 0 || ::close(fd) == 0;
    }

private:
    int m_fd;
};
