#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QUrl>

class QMimeData;

// Files dragged out of the program and dropped into it. Paths are the lossless decoding of the
// kernel's bytes (fileops/pathcodec.h); URLs carry those bytes percent-encoded one by one, so a
// name that is not valid UTF-8 keeps its bytes both ways.

// The file:// URL of an absolute path.
QUrl fileUrl(const QString& path);
// The path a file:// URL names on this machine; empty for any other URL.
QString localPath(const QUrl& url);

// What a drag of one file offers: text/uri-list with its URL, and the path's bytes as text.
// The caller owns the result (a QDrag takes it).
QMimeData* fileMimeData(const QString& path);

// Dropped URLs sorted by what they name, each list in the order given. A WAV file is a regular
// file, or a link to one, whose name ends in ".wav" in any case.
struct DroppedFiles {
    QStringList wavFiles;
    QStringList directories;
    int others = 0; // anything else: other files, missing paths, URLs of other machines

    // A drop the playlist takes: WAV files and nothing else.
    bool isPlaylistDrop() const {
        return !wavFiles.isEmpty() && directories.isEmpty() && others == 0;
    }
    // A drop the directory list takes: one folder and nothing else.
    bool isDirectoryDrop() const {
        return directories.size() == 1 && wavFiles.isEmpty() && others == 0;
    }
};
DroppedFiles sortDroppedUrls(const QList<QUrl>& urls);
