#pragma once

#include "browse/wavlisting.h"

#include <QString>
#include <QStringList>

#include <memory>

// One read of a directory's WAV files and sub-directories, on a worker thread, so a large or
// slow directory does not hold up the interface. The interface thread takes the WAV names found
// so far while the read runs and the sorted lists once it has ended. Destroying the read cancels
// it: the worker stops at its next entry and its results are dropped.
class FolderRead {
public:
    explicit FolderRead(const QString& directory);
    ~FolderRead();
    FolderRead(const FolderRead&) = delete;
    FolderRead& operator=(const FolderRead&) = delete;

    // Waits at most `ms` milliseconds (-1: as long as it takes); true when the read has ended.
    bool waitFinished(int ms);
    bool isFinished() const;
    // The WAV names found since the previous call, in the directory's order, unsorted.
    QStringList takeFound();
    // Both lists, sorted; once the read has ended.
    FolderListing takeListing();

private:
    struct State;
    std::shared_ptr<State> m_state;
};
