#pragma once

#include <QString>

// A directory with exactly one trailing "/": "/" itself stays as it is.
QString GetFixedDirectory(const QString& directory);

// The directory part of a path, up to and including its last "/"; empty when it has none.
QString directoryPart(const QString& path);
// What follows the last "/" of a path; the whole path when it has none.
QString fileNamePart(const QString& path);

// `directory` when it is an existing directory, else its nearest parent that is one; the home
// folder when the path is not absolute. A remembered folder on a removed volume still leads
// somewhere near it.
QString nearestExistingDirectory(const QString& directory);
