#include "ui/fileops/tfrmcopy.h"

#include "base/pathcodec.h"
#include "base/sxerror.h"
#include "ui/browse/directorylist.h"
#include "ui/browse/drivecombo.h"

#include <QDir>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>

#include <cerrno>
#include <cstring>
#include <sys/stat.h>

TfrmCopy::TfrmCopy(HelpService& help, int helpContext, const QString& title, QWidget* parent)
    : CommandDialog(help, helpContext, parent), folderLabel(new QLabel(this)),
      folders(new DirectoryList(this)), drives(new DriveCombo(this)) {
    setWindowTitle(title);
    setFixedSize(330, 273);
    placeButtons(233);
    folderLabel->setGeometry(8, 8, kLabelWidth, 16);
    folders->setGeometry(8, 28, kLabelWidth, 206);
    drives->setGeometry(8, 242, kLabelWidth, 23);
    drives->setVolumes(VolumeList::mounted());
    setTabOrder(folders, drives);
    setTabOrder(drives, btnOK);
    setTabOrder(btnOK, btnCancel);
    folders->setFocus();

    connect(folders, &DirectoryList::openRequested, this, [this](const QString& dir) {
        showDirectory(isExistingDirectory(dir) ? dir : directory());
    });
    connect(drives, &DriveCombo::volumeChosen, this,
            [this](const QString& mountPath) { showDirectory(mountPath); });
}

void TfrmCopy::setDirectory(const QString& directory) {
    const QString target = QDir::cleanPath(directory);
    if (!isExistingDirectory(target)) {
        struct stat st {};
        const int error = ::stat(encodePath(target).constData(), &st) == 0 ? ENOTDIR : errno;
        throw SxError(
            QStringLiteral("%1: %2").arg(target, QString::fromLocal8Bit(strerror(error))));
    }
    showDirectory(target);
}

QString TfrmCopy::directory() const {
    return folders->directory();
}

void TfrmCopy::showDirectory(const QString& directory) {
    const QString root = drives->volumes().volumeOf(directory).mountPath;
    drives->showVolume(root);
    folders->showDirectory(root, directory);
    folderLabel->setText(
        folderLabel->fontMetrics().elidedText(directory, Qt::ElideMiddle, kLabelWidth));
}

bool TfrmCopy::previewKeyPress(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        btnOK->click();
        return true;
    }
    return event->key() == Qt::Key_Escape;
}
