#include "ui/fileops/tfrmrename.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

TfrmRename::TfrmRename(HelpService& help, const QString& baseName, QWidget* parent)
    : CommandDialog(help, kHelpContext, parent),
      renameLabel(new QLabel(QStringLiteral("Rename:"), this)),
      lblOldName(new QLabel(baseName, this)), toLabel(new QLabel(QStringLiteral("To:"), this)),
      editNewName(new QLineEdit(baseName, this)),
      extensionNote(new QLabel(QStringLiteral("\".wav\" will automatically be added."), this)) {
    setWindowTitle(QStringLiteral("Rename"));
    setFixedSize(405, 87);
    placeButtons(312);
    renameLabel->setGeometry(0, 8, 60, 16);
    renameLabel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    lblOldName->setGeometry(64, 8, 240, 16);
    toLabel->setGeometry(0, 32, 60, 16);
    toLabel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    editNewName->setGeometry(64, 29, 240, 22);
    extensionNote->setGeometry(64, 58, 240, 16);
    extensionNote->setAlignment(Qt::AlignHCenter | Qt::AlignVCenter);
    setTabOrder(editNewName, btnOK);
    setTabOrder(btnOK, btnCancel);
}

void TfrmRename::showEvent(QShowEvent* event) {
    CommandDialog::showEvent(event);
    selectNameForEditing();
}

void TfrmRename::selectNameForEditing() {
    editNewName->setFocus();
    editNewName->selectAll();
}
