#pragma once

#include <QString>
#include <QStringList>

#include <atomic>
#include <functional>

// Names are the bytes the directory holds, decoded losslessly (fileops/pathcodec.h).

// The WAV files of a directory as the file list shows them: regular files (or links to them)
// whose names end in ".wav" in any case, hidden files left out, sorted without regard to case.
// `onLong` runs once, during the read, as soon as more than `longAfter` files have matched.
QStringList listWavFiles(const QString& directory, int longAfter = -1,
                         const std::function<void()>& onLong = {});

// The list's order: without regard to case, names that differ only in case in a fixed order.
bool wavNameLess(const QString& a, const QString& b);

// The sub-directories of a directory, "." and ".." left out, sorted as the file list is.
QStringList listSubdirectories(const QString& directory);

// A directory's WAV files and sub-directories, each as the lists above give them.
struct FolderListing {
    QStringList wavFiles;
    QStringList subdirectories;
};

// Both lists in one pass over the directory. `found` is told each WAV file as it is read, before
// the lists are sorted; when `cancelled` turns true the read stops and the lists are incomplete.
FolderListing readFolder(const QString& directory,
                         const std::function<void(const QString&)>& found = {},
                         const std::atomic<bool>* cancelled = nullptr);
