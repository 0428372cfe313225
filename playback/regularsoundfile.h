#pragma once

#include <QString>

#include <sndfile.h>

// A sound file opened for reading only if it is a regular file: the open never blocks, so a
// FIFO or a device found at the path is refused instead of waiting for a writer.
class RegularSoundFile {
public:
    explicit RegularSoundFile(const QString& path);
    ~RegularSoundFile();
    RegularSoundFile(const RegularSoundFile&) = delete;
    RegularSoundFile& operator=(const RegularSoundFile&) = delete;

    bool isOpen() const { return m_file != nullptr; }
    // One line saying why the file is not open.
    const QString& error() const { return m_error; }
    SNDFILE* handle() const { return m_file; }
    const SF_INFO& info() const { return m_info; }
    qint64 sizeOnDisk() const { return m_size; }

private:
    SNDFILE* m_file = nullptr;
    SF_INFO m_info{};
    qint64 m_size = 0;
    QString m_error;
};
