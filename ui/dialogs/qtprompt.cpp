#include "ui/dialogs/qtprompt.h"

#include "app/appinfo.h"
#include "ui/dialogs/executableonlyproxy.h"

#include <QFileDialog>
#include <QMessageBox>

namespace {

QString showFileDialog(QWidget* parent, const Prompt::FileDialog& spec,
                       QFileDialog::AcceptMode mode) {
    QFileDialog dialog(parent, spec.title, spec.initialDirectory);
    dialog.setAcceptMode(mode);
    dialog.setNameFilters(spec.nameFilters);
    dialog.setDefaultSuffix(spec.defaultSuffix);
    dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile
                                                       : QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !spec.confirmOverwrite);
    if (!spec.executableFilters.isEmpty()) {
        // The system's own dialogs cannot hide files by their permissions.
        dialog.setOption(QFileDialog::DontUseNativeDialog);
        auto* proxy = new ExecutableOnlyProxy(&dialog);
        dialog.setProxyModel(proxy);
        const auto applyFilter = [proxy, &spec](const QString& nameFilter) {
            proxy->setExecutableOnly(spec.executableFilters.contains(nameFilter));
        };
        QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, applyFilter);
        applyFilter(dialog.selectedNameFilter());
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().first();
}

} // namespace

Prompt::Answer QtPrompt::confirm(const QString& text, bool withCancel) {
    QMessageBox box(QMessageBox::Question, QStringLiteral("Confirm"), text,
                    QMessageBox::Yes | QMessageBox::No |
                        (withCancel ? QMessageBox::Cancel : QMessageBox::NoButton),
                    m_parent);
    box.setEscapeButton(withCancel ? QMessageBox::Cancel : QMessageBox::No);
    switch (box.exec()) {
    case QMessageBox::Yes:
        return Answer::Yes;
    case QMessageBox::No:
        return Answer::No;
    default:
        return Answer::Cancel;
    }
}

void QtPrompt::error(const QString& text) {
    QMessageBox(QMessageBox::Critical, QStringLiteral("Error"), text, QMessageBox::Ok, m_parent)
        .exec();
}

void QtPrompt::information(const QString& text) {
    QMessageBox(QMessageBox::Information, QStringLiteral("Information"), text, QMessageBox::Ok,
                m_parent)
        .exec();
}

void QtPrompt::failure(const QString& text) {
    QMessageBox(QMessageBox::Critical, QLatin1String(appinfo::kApplicationTitle), text,
                QMessageBox::Ok, m_parent)
        .exec();
}

QString QtPrompt::openFileName(const FileDialog& dialog) {
    return showFileDialog(m_parent, dialog, QFileDialog::AcceptOpen);
}

QString QtPrompt::saveFileName(const FileDialog& dialog) {
    return showFileDialog(m_parent, dialog, QFileDialog::AcceptSave);
}
