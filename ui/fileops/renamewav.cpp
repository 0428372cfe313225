#include "ui/fileops/renamewav.h"

#include "base/filepath.h"
#include "base/prompt.h"
#include "fileops/filerename.h"
#include "fileops/nameescape.h"
#include "ui/fileops/tfrmrename.h"

#include <QLineEdit>

RenameOutcome RenameWavFile(HelpService& help, Prompt& prompt, QWidget* dialogParent,
                            const QByteArray& oldPath) {
    const QByteArray fileName = fileNamePart(oldPath);
    const QByteArray baseName = fileName.left(qMax(0, fileName.size() - 4));
    TfrmRename dialog(help, nameForEditing(baseName), dialogParent);
    if (dialog.exec() != QDialog::Accepted)
        return RenameOutcome::Cancelled;
    const QByteArray newName = nameFromEditing(dialog.editNewName->text(), baseName);
    const QString invalid = invalidNameReason(newName);
    if (!invalid.isEmpty()) {
        // A line break stands where the message has its carriage return.
        prompt.error(QStringLiteral("Error renaming file \"%1\". Failed with message\n%2")
                         .arg(displayPath(oldPath), invalid));
        return RenameOutcome::Failed;
    }
    return renameWav(oldPath, newName) ? RenameOutcome::Renamed : RenameOutcome::Failed;
}
