#include "ui/fileops/tfrmrename.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

TfrmRename::TfrmRename(HelpService& help, const QString& baseName, QWidget* parent)
    : CommandDialog(help, kHelpContext, parent),
      Label1(new QLabel(QStringLiteral("Rename:"), this)), lblOldName(new QLabel(baseName, this)),
      Label2(new QLabel(QStringLiteral("To:"), this)), editNewName(new QLineEdit(baseName, this)),
      Label3(new QLabel(QStringLiteral("\".wav\" will automatically be added."), this)) {
    setWindowTitle(QStringLiteral("Rename"));
    setFixedSize(405, 87);
    placeButtons(312);
    Label1->setGeometry(0, 8, 60, 16);
    Label1->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    lblOldName->setGeometry(64, 8, 240, 16);
    Label2->setGeometry(0, 32, 60, 16);
    Label2->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    editNewName->setGeometry(64, 29, 240, 22);
    Label3->setGeometry(64, 58, 240, 16);
    Label3->setAlignment(Qt::AlignHCenter | Qt::AlignVCenter);
    setTabOrder(editNewName, btnOK);
    setTabOrder(btnOK, btnCancel);
}

void TfrmRename::showEvent(QShowEvent* event) {
    CommandDialog::showEvent(event);
    FormShow();
}

void TfrmRename::FormShow() {
    editNewName->setFocus();
    editNewName->selectAll();
}
