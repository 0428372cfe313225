#include "base/configkeys.h"
#include "base/pathcodec.h"
#include "tests/support/filetree.h"
#include "tests/support/testenv.h"
#include "tests/support/wavfiles.h"
#include "tests/ui/fileops/commandsfixture.h"
#include "tests/ui/fileops/modalanswer.h"
#include "ui/browse/directorylist.h"
#include "ui/browse/drivecombo.h"
#include "ui/browse/listbox.h"
#include "ui/fileops/tfrmcopy.h"

#include <QLabel>
#include <QPushButton>
#include <QToolButton>

#include <sys/stat.h>
#include <unistd.h>

namespace {

QByteArray bytesOf(const QString& path) {
    return filetree::readBytes(QFile::encodeName(path));
}

TfrmCopy* copyDialog(QDialog* dialog) {
    auto* copy = qobject_cast<TfrmCopy*>(dialog);
    if (!copy)
        qFatal("the copy dialog did not show");
    return copy;
}

// Presses Enter in the dialog's directory tree.
ModalAnswer* enterInTree() {
    return new ModalAnswer(
        [](QDialog* dialog) { QTest::keyClick(copyDialog(dialog)->folders, Qt::Key_Return); });
}

void opensEntry(TfrmCopy* dialog, const QString& name) {
    const QList<QListWidgetItem*> found = dialog->folders->findItems(name, Qt::MatchExactly);
    QCOMPARE(found.size(), 1);
    const QRect rect = dialog->folders->visualItemRect(found.first());
    QTest::mouseClick(dialog->folders->viewport(), Qt::LeftButton, {}, rect.center());
    QTest::mouseDClick(dialog->folders->viewport(), Qt::LeftButton, {}, rect.center());
}

} // namespace

class TestCopyMove : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void copyGoesWhereTheDialogSays_data() {
        QTest::addColumn<bool>("byButton"); // else by its shortcut
        QTest::newRow("shortcut") << false;
        QTest::newRow("toolbar button") << true;
    }
    void copyGoesWhereTheDialogSays() {
        QFETCH(bool, byButton);
        CommandsFixture f({"a.wav", "b.wav", "c.wav"});
        f.remember(cfg::kLastCopy, f.elsewhere.path());
        f.click(1);
        QCOMPARE(f.list()->selectedRow(), 1);
        int stopsWhenShown = -1;
        ModalAnswer answer([&](QDialog* dialog) {
            TfrmCopy* copy = copyDialog(dialog);
            stopsWhenShown = f.stops;
            QCOMPARE(copy->windowTitle(), QStringLiteral("Copy File \"b.wav\" to..."));
            QCOMPARE(copy->size(), QSize(330, 273));
            QCOMPARE(copy->directory(), f.elsewhere.path());
            QCOMPARE(copy->folderLabel->width(), TfrmCopy::kLabelWidth);
            QVERIFY(copy->btnOK->isDefault());
            QTest::keyClick(copy->focusWidget(), Qt::Key_F1);
            QTest::keyClick(copy->folders, Qt::Key_Return);
        });
        if (byButton)
            QTest::mouseClick(f.sbCopy, Qt::LeftButton);
        else
            QTest::keyClick(f.list(), Qt::Key_C, Qt::ControlModifier);
        QVERIFY(answer.answered());
        QVERIFY(!answer.leftOpen());
        QCOMPARE(stopsWhenShown, 1);
        QCOMPARE(f.help.lastContext(), 2);
        QCOMPARE(bytesOf(f.elsewhere.filePath("b.wav")), bytesOf(f.path("b.wav")));
        QCOMPARE(f.remembered(cfg::kLastCopy), f.elsewhere.path());
        QCOMPARE(f.list()->selectedRow(), 1);
        QCOMPARE(f.window.focusWidget(), f.list());
        QCOMPARE(f.checks, QList<bool>{true});
        QVERIFY(f.prompt.asked.isEmpty());
    }

    void escapeDoesNothingInTheDestinationDialog() {
        CommandsFixture f({"a.wav"});
        f.remember(cfg::kLastMove, f.elsewhere.path());
        f.click(0);
        bool openAfterEscape = false;
        ModalAnswer answer([&](QDialog* dialog) {
            QTest::keyClick(copyDialog(dialog)->folders, Qt::Key_Escape);
            QTest::keyClick(dialog, Qt::Key_Escape);
            openAfterEscape = dialog->isVisible();
            QTest::mouseClick(copyDialog(dialog)->btnCancel, Qt::LeftButton);
        });
        QTest::keyClick(f.list(), Qt::Key_M, Qt::ControlModifier);
        QVERIFY(answer.answered());
        QVERIFY(openAfterEscape);
        QVERIFY(!answer.leftOpen());
        QVERIFY(QFile::exists(f.path("a.wav")));
        QVERIFY(filetree::entries(QFile::encodeName(f.elsewhere.path())).isEmpty());
        QCOMPARE(f.list()->selectedRow(), 0);
        QVERIFY(f.prompt.asked.isEmpty());
    }

    void treeChangesOnlyWhenAnEntryIsOpened() {
        CommandsFixture f({"a.wav"});
        QVERIFY(QDir(f.elsewhere.path()).mkdir("sub"));
        f.remember(cfg::kLastCopy, f.elsewhere.path());
        f.click(0);
        QString afterHighlight;
        ModalAnswer answer([&](QDialog* dialog) {
            TfrmCopy* copy = copyDialog(dialog);
            const QList<QListWidgetItem*> sub = copy->folders->findItems("sub", Qt::MatchExactly);
            QCOMPARE(sub.size(), 1);
            QTest::mouseClick(copy->folders->viewport(), Qt::LeftButton, {},
                              copy->folders->visualItemRect(sub.first()).center());
            QCOMPARE(copy->folders->currentItem(), sub.first());
            afterHighlight = copy->directory();
            opensEntry(copy, "sub");
            QCOMPARE(copy->folderLabel->text(), f.elsewhere.filePath("sub"));
            QTest::keyClick(copy->folders, Qt::Key_Enter);
        });
        QTest::keyClick(f.list(), Qt::Key_C, Qt::ControlModifier);
        QVERIFY(answer.answered());
        QCOMPARE(afterHighlight, f.elsewhere.path());
        QVERIFY(QFile::exists(f.elsewhere.filePath("sub/a.wav")));
        QCOMPARE(f.remembered(cfg::kLastCopy), f.elsewhere.filePath("sub"));
    }

    void moveAndTheSelectionAfterIt_data() {
        QTest::addColumn<int>("files");
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("selected");
        QTest::newRow("last of five") << 5 << 4 << 3;
        QTest::newRow("middle of five") << 5 << 1 << 1;
        QTest::newRow("the only file") << 1 << 0 << -1;
    }
    void moveAndTheSelectionAfterIt() {
        QFETCH(int, files);
        QFETCH(int, row);
        QFETCH(int, selected);
        const QStringList names = CommandsFixture::numberedNames(files);
        CommandsFixture f(names);
        f.remember(cfg::kLastMove, f.elsewhere.path());
        f.click(row);
        const QByteArray content = bytesOf(f.path(names[row]));
        QScopedPointer<ModalAnswer> answer(enterInTree());
        QTest::keyClick(f.list(), Qt::Key_M, Qt::ControlModifier);
        QVERIFY(answer->answered());
        QCOMPARE(f.stops, 1);
        QVERIFY(!QFile::exists(f.path(names[row])));
        QCOMPARE(bytesOf(f.elsewhere.filePath(names[row])), content);
        QCOMPARE(f.listed().size(), files - 1);
        QCOMPARE(f.list()->selectedRow(), selected);
        if (selected >= 0)
            QCOMPARE(f.window.focusWidget(), f.list());
        QCOMPARE(f.checks.last(), true);
        QVERIFY(f.prompt.asked.isEmpty());
    }

    void declinedOverwriteStillStoresTheDirectory() {
        CommandsFixture f({"a.wav", "b.wav"});
        QVERIFY(QDir(f.elsewhere.path()).mkdir("to"));
        writeTextFile(f.elsewhere.filePath("to/b.wav"), "old");
        f.remember(cfg::kLastMove, f.elsewhere.path());
        f.click(1);
        f.prompt.answers = {Prompt::Answer::No};
        ModalAnswer answer([&](QDialog* dialog) {
            opensEntry(copyDialog(dialog), "to");
            QTest::keyClick(copyDialog(dialog)->folders, Qt::Key_Return);
        });
        QTest::keyClick(f.list(), Qt::Key_M, Qt::ControlModifier);
        QVERIFY(answer.answered());
        QCOMPARE(f.prompt.texts("confirm"), QStringList{"Overwrite existing file?"});
        QCOMPARE(f.prompt.asked.size(), 1);
        QCOMPARE(f.remembered(cfg::kLastMove), f.elsewhere.filePath("to"));
        QCOMPARE(bytesOf(f.elsewhere.filePath("to/b.wav")), QByteArray("old"));
        QVERIFY(QFile::exists(f.path("b.wav")));
        QCOMPARE(f.list()->selectedRow(), 1);
    }

    void acceptedOverwriteReplacesTheDestination() {
        CommandsFixture f({"a.wav"});
        writeTextFile(f.elsewhere.filePath("a.wav"), "old");
        f.remember(cfg::kLastCopy, f.elsewhere.path());
        f.click(0);
        f.prompt.answers = {Prompt::Answer::Yes};
        QScopedPointer<ModalAnswer> answer(enterInTree());
        QTest::keyClick(f.list(), Qt::Key_C, Qt::ControlModifier);
        QVERIFY(answer->answered());
        QCOMPARE(f.prompt.texts("confirm"), QStringList{"Overwrite existing file?"});
        QCOMPARE(bytesOf(f.elsewhere.filePath("a.wav")), bytesOf(f.path("a.wav")));
    }

    // The source's own directory, directly or through a symbolic link: the destination exists
    // (it is the source), so the overwrite question comes first.
    void destinationThatIsTheSourceItself_data() {
        QTest::addColumn<bool>("throughLink");
        QTest::addColumn<bool>("isMove");
        QTest::addColumn<Prompt::Answer>("overwrite");
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("text"); // "%1": the source folder, "%2": the link
        const QString same =
            QStringLiteral("Destination and source directories cannot be the same.");
        const QString failed = QStringLiteral(
            "Error copying file \"%1/a.wav\". Failed with message\nCannot create file %2/a.wav");
        QTest::newRow("own directory, copy, yes")
            << false << false << Prompt::Answer::Yes << "information" << same;
        QTest::newRow("own directory, move, yes")
            << false << true << Prompt::Answer::Yes << "information" << same;
        QTest::newRow("own directory, move, no")
            << false << true << Prompt::Answer::No << QString() << QString();
        QTest::newRow("linked directory, move, yes")
            << true << true << Prompt::Answer::Yes << "error" << failed;
        QTest::newRow("linked directory, copy, no")
            << true << false << Prompt::Answer::No << QString() << QString();
    }
    void destinationThatIsTheSourceItself() {
        QFETCH(bool, throughLink);
        QFETCH(bool, isMove);
        QFETCH(Prompt::Answer, overwrite);
        QFETCH(QString, kind);
        QFETCH(QString, text);
        CommandsFixture f({"a.wav"});
        const QString link = f.elsewhere.filePath("link");
        QVERIFY(QFile::link(f.folder.path(), link));
        f.remember(isMove ? cfg::kLastMove : cfg::kLastCopy, throughLink ? link : f.folder.path());
        const QByteArray content = bytesOf(f.path("a.wav"));
        QVERIFY(!content.isEmpty());
        f.click(0);
        f.prompt.answers = {overwrite};
        QScopedPointer<ModalAnswer> answer(enterInTree());
        QTest::keyClick(f.list(), isMove ? Qt::Key_M : Qt::Key_C, Qt::ControlModifier);
        QVERIFY(answer->answered());
        QCOMPARE(f.prompt.texts("confirm"), QStringList{"Overwrite existing file?"});
        QCOMPARE(f.prompt.asked.size(), kind.isEmpty() ? 1 : 2);
        if (!kind.isEmpty())
            QCOMPARE(f.prompt.texts(kind).join('|'),
                     kind == "error" ? text.arg(f.folder.path(), link) : text);
        QCOMPARE(bytesOf(f.path("a.wav")), content);
        QCOMPARE(f.listed(), QStringList{"a.wav"});
    }

    // A folder on a volume that is gone: the dialog opens at its nearest existing parent, and the
    // key changes only on OK.
    void missingRememberedDirectoryOpensAtItsParent() {
        CommandsFixture f({"a.wav"});
        const QString gone = f.elsewhere.filePath("gone/deeper");
        f.remember(cfg::kLastCopy, gone);
        f.click(0);
        QStringList shown;
        auto showThen = [&](bool ok) {
            return new ModalAnswer([&shown, ok](QDialog* dialog) {
                shown.append(copyDialog(dialog)->directory());
                QTest::mouseClick(ok ? copyDialog(dialog)->btnOK : copyDialog(dialog)->btnCancel,
                                  Qt::LeftButton);
            });
        };
        QScopedPointer<ModalAnswer> cancel(showThen(false));
        QTest::keyClick(f.list(), Qt::Key_C, Qt::ControlModifier);
        QVERIFY(cancel->answered());
        QCOMPARE(f.remembered(cfg::kLastCopy), gone);
        QScopedPointer<ModalAnswer> ok(showThen(true));
        QTest::mouseClick(f.sbCopy, Qt::LeftButton);
        QVERIFY(ok->answered());
        QCOMPARE(shown, (QStringList{f.elsewhere.path(), f.elsewhere.path()}));
        QVERIFY(f.prompt.asked.isEmpty());
        QCOMPARE(bytesOf(f.elsewhere.filePath("a.wav")), bytesOf(f.path("a.wav")));
        QCOMPARE(f.remembered(cfg::kLastCopy), f.elsewhere.path());
    }

    // A remembered folder, and a folder opened in the tree, whose names are not UTF-8.
    void folderNamedNotUtf8OpensAndIsChosen() {
        CommandsFixture f({"a.wav"});
        const QByteArray remembered = QFile::encodeName(f.elsewhere.path()) + "/\xff dir";
        QCOMPARE(::mkdir(remembered.constData(), 0700), 0);
        QCOMPARE(::mkdir((remembered + "/\xfe sub").constData(), 0700), 0);
        f.remember(cfg::kLastCopy, decodePath(remembered));
        f.click(0);
        QString shown;
        ModalAnswer answer([&](QDialog* dialog) {
            shown = copyDialog(dialog)->directory();
            opensEntry(copyDialog(dialog), decodePath("\xfe sub"));
            QTest::keyClick(copyDialog(dialog)->folders, Qt::Key_Return);
        });
        QTest::keyClick(f.list(), Qt::Key_C, Qt::ControlModifier);
        QVERIFY(answer.answered());
        QVERIFY(f.prompt.asked.isEmpty());
        QCOMPARE(shown, decodePath(remembered));
        QCOMPARE(filetree::readBytes(remembered + "/\xfe sub/a.wav"), bytesOf(f.path("a.wav")));
        QCOMPARE(f.remembered(cfg::kLastCopy), decodePath(remembered + "/\xfe sub"));
    }

    void sourceThatCannotBeOpenedEndsTheCommand() {
        CommandsFixture f({"a.wav"});
        f.remember(cfg::kLastCopy, f.elsewhere.filePath("."));
        f.click(0);
        // Replaced by a FIFO after it was listed: opening must not wait for a writer.
        QVERIFY(QFile::remove(f.path("a.wav")));
        QCOMPARE(::mkfifo(QFile::encodeName(f.path("a.wav")).constData(), 0644), 0);
        QScopedPointer<ModalAnswer> answer(enterInTree());
        QTest::keyClick(f.list(), Qt::Key_C, Qt::ControlModifier);
        QVERIFY(answer->answered());
        QCOMPARE(f.prompt.texts("failure"),
                 QStringList{QStringLiteral("Cannot open file %1.").arg(f.path("a.wav"))});
        QCOMPARE(f.remembered(cfg::kLastCopy), f.elsewhere.path());
        QVERIFY(filetree::entries(QFile::encodeName(f.elsewhere.path())).isEmpty());
    }

    void sourceThatMayNotBeWrittenStaysAfterAMove() {
        CommandsFixture f({"a.wav"});
        QCOMPARE(::chmod(QFile::encodeName(f.path("a.wav")).constData(), 0444), 0);
        f.remember(cfg::kLastMove, f.elsewhere.path());
        f.click(0);
        QScopedPointer<ModalAnswer> answer(enterInTree());
        QTest::keyClick(f.list(), Qt::Key_M, Qt::ControlModifier);
        QVERIFY(answer->answered());
        QCOMPARE(f.prompt.texts("error"), QStringList{"Cannot delete original file."});
        QCOMPARE(bytesOf(f.elsewhere.filePath("a.wav")), bytesOf(f.path("a.wav")));
        QCOMPARE(f.list()->selectedRow(), 0);
    }

    void readOnlyDestinationIsRefused() {
        CommandsFixture f({"a.wav"});
        writeTextFile(f.elsewhere.filePath("a.wav"), "keep");
        QVERIFY(QFile::setPermissions(f.elsewhere.filePath("a.wav"), QFileDevice::ReadOwner));
        f.remember(cfg::kLastMove, f.elsewhere.path());
        f.click(0);
        f.prompt.answers = {Prompt::Answer::Yes};
        QScopedPointer<ModalAnswer> answer(enterInTree());
        QTest::keyClick(f.list(), Qt::Key_M, Qt::ControlModifier);
        QVERIFY(answer->answered());
        QCOMPARE(f.prompt.texts("error"),
                 QStringList{QStringLiteral("Error copying file \"%1\". Failed with message\n"
                                            "Cannot create file %2")
                                 .arg(f.path("a.wav"), f.elsewhere.filePath("a.wav"))});
        QCOMPARE(bytesOf(f.elsewhere.filePath("a.wav")), QByteArray("keep"));
        QVERIFY(QFile::exists(f.path("a.wav")));
    }

    void moveHelpTopicAndTitle() {
        CommandsFixture f({"x.wav"});
        f.remember(cfg::kLastMove, f.elsewhere.path());
        f.click(0);
        QString title;
        ModalAnswer answer([&](QDialog* dialog) {
            title = dialog->windowTitle();
            QTest::keyClick(copyDialog(dialog)->drives, Qt::Key_F1);
            QTest::mouseClick(copyDialog(dialog)->btnCancel, Qt::LeftButton);
        });
        QTest::keyClick(f.list(), Qt::Key_M, Qt::ControlModifier);
        QVERIFY(answer.answered());
        QCOMPARE(title, QStringLiteral("Move file \"x.wav\" to..."));
        QCOMPARE(f.help.lastContext(), 3);
        QCOMPARE(f.help.requests(), 1);
    }
};

SONDRIX_TEST_MAIN(TestCopyMove)
#include "tst_copymove.moc"
