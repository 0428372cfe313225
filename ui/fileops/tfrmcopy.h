#pragma once

#include "ui/fileops/commanddialog.h"

class DirectoryList;
class DriveCombo;
class QLabel;

// The destination dialog of Copy and Move. Its directory changes only when an entry of the tree
// is opened by a double click or a volume is chosen; Enter anywhere presses OK, Esc does nothing.
// It keeps nothing between commands and leaves the browser's remembered directories alone.
class TfrmCopy : public CommandDialog {
    Q_OBJECT
public:
    TfrmCopy(HelpService& help, int helpContext, const QString& title, QWidget* parent = nullptr);

    // Shows `directory` in the tree; raises an error when it is not an existing directory.
    void setDirectory(const QString& directory);
    // The tree's current directory: no trailing "/" except for "/" itself.
    QString directory() const;

    QLabel* folderLabel;
    DirectoryList* folders;
    DriveCombo* drives;

    static constexpr int kLabelWidth = 217;

protected:
    bool previewKeyPress(QKeyEvent* event) override;

private:
    void showDirectory(const QString& directory);
};
