#include "tests/support/testenv.h"
#include "tests/support/wavfiles.h"
#include "ui/dialogs/qtprompt.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QFileDialog>
#include <QListView>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

// The editor's file dialog as the user sees it: "Program Files" lists only what the user may
// execute, "All Files" everything.
class TestProgramFilter : public QObject {
    Q_OBJECT

    static QStringList listedNames(const QListView* view) {
        QStringList names;
        const QAbstractItemModel* model = view->model();
        for (int row = 0; row < model->rowCount(view->rootIndex()); ++row)
            names.append(model->index(row, 0, view->rootIndex()).data().toString());
        names.sort();
        return names;
    }

    // The names the dialog's list shows, once it shows at least `atLeast` of them.
    static QStringList shownNames(QFileDialog* dialog, int atLeast) {
        auto* view = dialog->findChild<QListView*>(QStringLiteral("listView"));
        if (!view)
            return {};
        if (!QTest::qWaitFor([&] { return listedNames(view).size() >= atLeast; }, 5000))
            return listedNames(view);
        // A moment more, so that a name the filter should hide would have arrived too.
        QTest::qWait(200);
        return listedNames(view);
    }

private Q_SLOTS:
    void programFilesListsOnlyExecutables() {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        writeTextFile(dir.filePath(QStringLiteral("editor")), "#!/bin/sh\n");
        QVERIFY(QFile::setPermissions(dir.filePath(QStringLiteral("editor")),
                                      QFileDevice::ReadOwner | QFileDevice::ExeOwner));
        writeTextFile(dir.filePath(QStringLiteral("notes.txt")), "text\n");
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("tools")));

        QStringList programs;
        QStringList all;
        QTimer::singleShot(0, this, [&] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            if (!dialog || !QTest::qWaitForWindowActive(dialog))
                return;
            programs = shownNames(dialog, 2);
            auto* types = dialog->findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
            if (types) {
                types->setFocus();
                QTest::keyClick(types, Qt::Key_Down);
            }
            all = shownNames(dialog, 3);
            QTest::keyClick(dialog, Qt::Key_Escape);
        });

        QtPrompt prompt(nullptr);
        Prompt::FileDialog request;
        request.title = QStringLiteral("Specify WAV Editor");
        request.nameFilters = {QStringLiteral("Program Files (*)"),
                               QStringLiteral("All Files (*)")};
        request.executableFilters = {QStringLiteral("Program Files (*)")};
        request.initialDirectory = dir.path();
        QCOMPARE(prompt.openFileName(request), QString());
        QCOMPARE(programs, (QStringList{QStringLiteral("editor"), QStringLiteral("tools")}));
        QCOMPARE(all, (QStringList{QStringLiteral("editor"), QStringLiteral("notes.txt"),
                                   QStringLiteral("tools")}));
    }
};

SONDRIX_TEST_MAIN(TestProgramFilter)
#include "tst_programfilter.moc"
