#pragma once

#include <QByteArray>

class HelpService;
class IniStore;
class Prompt;
class QWidget;

// What Copy and Move need besides the file: the store holding the remembered destinations, the
// prompt for questions and reports, help for the dialog, and the window the dialog belongs to.
struct CopyMoveServices {
    IniStore& store;
    Prompt& prompt;
    HelpService& help;
    QWidget* dialogParent = nullptr;
};

// Lets the user choose a destination and copies the file there; a move then deletes the source.
// Returns true when the user confirmed (OK, and Yes to the overwrite question where it was
// asked), also when the copy then failed: failures are reported inside. The dialog opens at the
// remembered directory, or at its nearest existing parent while it is missing. Raises the general
// error report when the source cannot be opened (after the chosen directory is stored).
bool CopyMoveFile(const CopyMoveServices& services, const QByteArray& sourcePath, bool isMove);

// Copies the file into `destDirectory`; true when copied. A refusal or failure has been shown.
bool DoCopyFile(Prompt& prompt, const QByteArray& sourcePath, const QByteArray& destDirectory);
