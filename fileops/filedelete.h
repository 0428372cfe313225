#pragma once

#include <QByteArray>

// Removes the file for good (no trash). A file the user may not write counts as read-only and is
// refused, also for the superuser; so is a name that no longer exists. Returns whether the file
// is gone by this call.
bool deleteWavFile(const QByteArray& path);
