#pragma once

#include <QByteArray>

class HelpService;
class QWidget;

enum class RenameOutcome { Renamed, Cancelled, Failed };

// Asks for the new name of the WAV file at `oldPath` in the rename dialog and renames it to that
// name + ".wav" in the same directory, never replacing another file.
RenameOutcome RenameWavFile(HelpService& help, QWidget* dialogParent, const QByteArray& oldPath);
