#include "ui/fileops/tfrmcopy.h"

#include "base/sxerror.h"
#include "base/pathcodec.h"
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
    : CommandDialog(help, helpContext, parent), Label2(new QLabel(this)),
      DirectoryListBox1(new DirectoryList(this)), DriveComboBox1(new DriveCombo(this)) {
    setWindowTitle(title);
    setFixedSize(330, 273);
    placeButtons(233);
    Label2->setGeometry(8, 8, kLabelWidth, 16);
    DirectoryListBox1->setGeometry(8, 28, kLabelWidth, 206);
    DriveComboBox1->setGeometry(8, 242, kLabelWidth, 23);
    DriveComboBox1->setVolumes(VolumeList::mounted());
    setTabOrder(DirectoryListBox1, DriveComboBox1);
    setTabOrder(DriveComboBox1, btnOK);
    setTabOrder(btnOK, btnCancel);
    DirectoryListBox1->setFocus();

    connect(DirectoryListBox1, &DirectoryList::openRequested, this, [this](const QString& dir) {
        showDirectory(isExistingDirectory(dir) ? dir : directory());
    });
    connect(DriveComboBox1, &DriveCombo::volumeChosen, this,
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
    return DirectoryListBox1->directory();
}

void TfrmCopy::showDirectory(const QString& directory) {
    const QString root = DriveComboBox1->volumes().volumeOf(directory).mountPath;
    DriveComboBox1->showVolume(root);
    DirectoryListBox1->showDirectory(root, directory);
    Label2->setText(Label2->fontMetrics().elidedText(directory, Qt::ElideMiddle, kLabelWidth));
}

bool TfrmCopy::previewKeyPress(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        btnOK->click();
        return true;
    }
    return event->key() == Qt::Key_Escape;
}
