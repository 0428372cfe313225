#include "ui/fileops/copymove.h"

#include "base/configkeys.h"
#include "base/filepath.h"
#include "base/inistore.h"
#include "base/pathcodec.h"
#include "base/prompt.h"
#include "base/sxerror.h"
#include "fileops/filecopy.h"
#include "fileops/filedelete.h"
#include "ui/fileops/tfrmcopy.h"

#include <QDir>

#include <sys/stat.h>

namespace {

constexpr int kCopyHelpContext = 2;
constexpr int kMoveHelpContext = 3;

// Something other than a directory is there; a directory of that name makes the copy fail.
bool isExistingFile(const QByteArray& path) {
    struct stat st {};
    return ::stat(path.constData(), &st) == 0 && !S_ISDIR(st.st_mode);
}

} // namespace

bool CopyMoveFile(const CopyMoveServices& services, const QByteArray& sourcePath, bool isMove) {
    const QString name = displayPath(fileNamePart(sourcePath));
    const QString key = QLatin1String(isMove ? cfg::kLastMove : cfg::kLastCopy);
    const QString section = QLatin1String(cfg::kDirectories);
    TfrmCopy dialog(services.help, isMove ? kMoveHelpContext : kCopyHelpContext,
                    isMove ? QStringLiteral("Move file \"%1\" to...").arg(name)
                           : QStringLiteral("Copy File \"%1\" to...").arg(name),
                    services.dialogParent);
    // The stored key changes only on OK, so a folder that comes back is offered again.
    dialog.setDirectory(
        nearestExistingDirectory(services.store.readString(section, key, QDir::homePath())));
    if (dialog.exec() != QDialog::Accepted)
        return false;
    services.store.writeString(section, key, dialog.directory());

    const QByteArray destDirectory = encodePath(GetFixedDirectory(dialog.directory()));
    if (isExistingFile(destDirectory + fileNamePart(sourcePath)) &&
        services.prompt.confirm(QStringLiteral("Overwrite existing file?"), false) !=
            Prompt::Answer::Yes)
        return false;
    if (DoCopyFile(services.prompt, sourcePath, destDirectory) && isMove &&
        !deleteWavFile(sourcePath))
        services.prompt.error(QStringLiteral("Cannot delete original file."));
    return true;
}

bool DoCopyFile(Prompt& prompt, const QByteArray& sourcePath, const QByteArray& destDirectory) {
    const CopyOutcome outcome = copyFileInto(sourcePath, destDirectory);
    switch (outcome.status) {
    case CopyOutcome::Status::Copied:
        return true;
    case CopyOutcome::Status::SameDirectory:
        prompt.information(
            QStringLiteral("Destination and source directories cannot be the same."));
        return false;
    case CopyOutcome::Status::SourceUnreadable:
        throw SxError(outcome.message);
    case CopyOutcome::Status::Failed:
        break;
    }
    // A line break stands where the message has its carriage return.
    prompt.error(QStringLiteral("Error copying file \"%1\". Failed with message\n%2")
                     .arg(displayPath(sourcePath), outcome.message));
    return false;
}
