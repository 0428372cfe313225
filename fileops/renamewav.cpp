#include "fileops/renamewav.h"

#include "app/prompt.h"
#include "fileops/bytepath.h"
#include "fileops/filerename.h"
#include "fileops/tfrmrename.h"

#include <QFile>
#include <QLineEdit>

RenameOutcome RenameWavFile(HelpService& help, Prompt& prompt, QWidget* dialogParent,
                            const QByteArray& oldPath) {
    const QByteArray fileName = bytepath::fileNamePart(oldPath);
    const QByteArray baseName = fileName.left(qMax(0, fileName.size() - 4));
    const QString shownBase = bytepath::display(baseName);
    TfrmRename dialog(help, shownBase, dialogParent);
    if (dialog.exec() != QDialog::Accepted)
        return RenameOutcome::Cancelled;
    // A name shown as text may not give its bytes back; an unchanged name keeps them.
    const QString typed = dialog.editNewName->text();
    const QByteArray newName = typed == shownBase ? baseName : QFile::encodeName(typed);
    const QString invalid = invalidNameReason(newName);
    if (!invalid.isEmpty()) {
        // A line break stands where the message has its carriage return.
        prompt.error(QStringLiteral("Error renaming file \"%1\". Failed with message\n%2")
                         .arg(bytepath::display(oldPath), invalid));
        return RenameOutcome::Failed;
    }
    return renameWav(oldPath, newName) ? RenameOutcome::Renamed : RenameOutcome::Failed;
}
