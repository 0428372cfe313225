#pragma once

#include "ui/fileops/commanddialog.h"

class QLabel;
class QLineEdit;

// The rename dialog: the current name without its extension, and the new name, whose whole text
// is selected when the dialog shows so that typing replaces it. Enter presses OK, Esc cancels.
class TfrmRename : public CommandDialog {
    Q_OBJECT
public:
    TfrmRename(HelpService& help, const QString& baseName, QWidget* parent = nullptr);

    QLabel* renameLabel;
    QLabel* lblOldName;
    QLabel* toLabel;
    QLineEdit* editNewName;
    QLabel* extensionNote;

    static constexpr int kHelpContext = 4;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void selectNameForEditing();
};
