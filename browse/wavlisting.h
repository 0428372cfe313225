#pragma once

#include <QString>
#include <QStringList>

// The WAV files of a directory as the file list shows them: regular files (or links to them)
// whose names end in ".wav" in any case, hidden files left out, sorted without regard to case.
QStringList listWavFiles(const QString& directory);

// The sub-directories of a directory, "." and ".." left out, sorted by name.
QStringList listSubdirectories(const QString& directory);
