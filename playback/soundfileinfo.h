#pragma once

#include <QString>

// The tooltip text for one sound file: what libsndfile reports of its header (sample rate,
// sample format, channels, length in the length text format) and its size, on separate lines;
// one line of reason for a file that cannot be read and for a missing file. Opens regular files
// only, so a FIFO or a device never blocks the caller; a WAV header takes well under 2 ms.
QString soundFileInfoText(const QString& path);
