#pragma once

#include <QByteArray>

class HelpService;
class Prompt;
class QWidget;

enum class RenameOutcome { Renamed, Cancelled, Failed };

// Asks for the new name of the WAV file at `oldPath` in the rename dialog and renames it to that
// name + ".wav" in the same directory, never replacing another file. A typed text that is no
// file name (a path, a hidden name) is reported through `prompt` and counts as failed.
RenameOutcome RenameWavFile(HelpService& help, Prompt& prompt, QWidget* dialogParent,
                            const QByteArray& oldPath);
