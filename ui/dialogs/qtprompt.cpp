#include "ui/dialogs/qtprompt.h"

#include "base/appinfo.h"
#include "ui/dialogs/executableonlyproxy.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>

namespace {

// The toolkit's own dialog, so that every platform refuses a file in a folder that does not
// exist while the dialog is still open (a save would otherwise fail only afterwards).
class ExistingPathFileDialog : public QFileDialog {
public:
    ExistingPathFileDialog(QWidget* parent, const QString& title, const QString& directory)
        : QFileDialog(parent, title, directory) {
        setOption(QFileDialog::DontUseNativeDialog);
    }

    void accept() override {
        const QStringList files = selectedFiles();
        if (!files.isEmpty()) {
            const QString folder = QFileInfo(files.first()).absolutePath();
            if (!QFileInfo(folder).isDir()) {
                QMessageBox(QMessageBox::Warning, windowTitle(),
                            QStringLiteral("The folder \"%1\" does not exist.").arg(folder),
                            QMessageBox::Ok, this)
                    .exec();
                return;
            }
        }
        QFileDialog::accept();
    }
};

QString showFileDialog(QWidget* parent, const Prompt::FileDialog& spec,
                       QFileDialog::AcceptMode mode) {
    ExistingPathFileDialog dialog(parent, spec.title, spec.initialDirectory);
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
