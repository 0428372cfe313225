#include "fileops/renamewav.h"

#include "fileops/bytepath.h"
#include "fileops/filerename.h"
#include "fileops/tfrmrename.h"

#include <QFile>
#include <QLineEdit>

RenameOutcome RenameWavFile(HelpService& help, QWidget* dialogParent, const QByteArray& oldPath) {
    const QByteArray fileName = bytepath::fileNamePart(oldPath);
    const QByteArray baseName = fileName.left(qMax(0, fileName.size() - 4));
    const QString shownBase = bytepath::display(baseName);
    TfrmRename dialog(help, shownBase, dialogParent);
    if (dialog.exec() != QDialog::Accepted)
        return RenameOutcome::Cancelled;
    // A name shown as text may not give its bytes back; an unchanged name keeps them.
    const QString typed = dialog.editNewName->text();
    const QByteArray newName = typed == shownBase ? baseName : QFile::encodeName(typed);
    return renameWav(oldPath, newName) ? RenameOutcome::Renamed : RenameOutcome::Failed;
}
