#include "base/configkeys.h"
#include "tests/support/filetree.h"
#include "tests/support/testenv.h"
#include "tests/ui/fileops/commandsfixture.h"
#include "tests/ui/fileops/modalanswer.h"
#include "ui/browse/browser.h"
#include "ui/browse/listbox.h"
#include "ui/fileops/tfrmrename.h"

#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>

namespace {

TfrmRename* renameDialog(QDialog* dialog) {
    auto* rename = qobject_cast<TfrmRename*>(dialog);
    if (!rename)
        qFatal("the rename dialog did not show");
    return rename;
}

// Keys pressed in the new-name field, "<BS>" standing for Backspace, then Enter. A text holding
// a NUL, which no key gives, is pasted.
void typeThenEnter(QDialog* dialog, const QString& keys) {
    QLineEdit* edit = renameDialog(dialog)->editNewName;
    if (keys == QLatin1String("<BS>")) {
        QTest::keyClick(edit, Qt::Key_Backspace);
    } else if (keys.contains(QChar(0))) {
        QGuiApplication::clipboard()->setText(keys);
        QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
    } else {
        QTest::keyClicks(edit, keys);
    }
    QTest::keyClick(edit, Qt::Key_Return);
}

} // namespace

class TestRenameDelete : public QObject {
    Q_OBJECT

    void setConfirmDelete(CommandsFixture& f, bool on) {
        f.store.writeBool(QLatin1String(cfg::kPreferences), QLatin1String(cfg::kConfirmDelete), on);
    }

private Q_SLOTS:
    void renameDialogShowsTheNameSelected() {
        CommandsFixture f({"a.wav", "kick drum.wav"});
        f.click(1);
        QString shownName;
        QString selected;
        bool editHasFocus = false;
        int stopsWhenShown = -1;
        ModalAnswer answer([&](QDialog* dialog) {
            TfrmRename* rename = renameDialog(dialog);
            stopsWhenShown = f.stops;
            QCOMPARE(rename->windowTitle(), QStringLiteral("Rename"));
            QCOMPARE(rename->size(), QSize(405, 87));
            QCOMPARE(rename->renameLabel->text(), QStringLiteral("Rename:"));
            QCOMPARE(rename->toLabel->text(), QStringLiteral("To:"));
            QCOMPARE(rename->extensionNote->text(),
                     QStringLiteral("\".wav\" will automatically be added."));
            QVERIFY(rename->btnOK->isDefault());
            shownName = rename->lblOldName->text();
            selected = rename->editNewName->selectedText();
            editHasFocus = rename->focusWidget() == rename->editNewName;
            QTest::keyClick(rename->editNewName, Qt::Key_F1);
            QTest::keyClick(rename->editNewName, Qt::Key_Escape);
        });
        QTest::keyClick(f.list(), Qt::Key_F2);
        QVERIFY(answer.answered());
        QVERIFY(!answer.leftOpen());
        QCOMPARE(stopsWhenShown, 1);
        QCOMPARE(shownName, QStringLiteral("kick drum"));
        QCOMPARE(selected, QStringLiteral("kick drum"));
        QVERIFY(editHasFocus);
        QCOMPARE(f.help.lastContext(), TfrmRename::kHelpContext);
        QVERIFY(f.prompt.asked.isEmpty());
        QCOMPARE(f.listed(), (QStringList{"a.wav", "kick drum.wav"}));
        QCOMPARE(f.list()->selectedRow(), 1);
        QCOMPARE(f.checks, QList<bool>{false});
    }

    void renameTakesTheNameAsTyped_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QStringList>("listed");
        QTest::addColumn<QStringList>("errors");
        const QStringList refused{"Could not rename WAV file."};
        QTest::newRow("new name") << "b.wav"
                                  << "new" << QStringList{"a.wav", "new.wav"} << QStringList{};
        QTest::newRow("typed with extension")
            << "b.wav"
            << "loop.wav" << QStringList{"a.wav", "loop.wav.wav"} << QStringList{};
        QTest::newRow("upper-case extension")
            << "DRUM.WAV" << QString() << QStringList{"a.wav", "DRUM.wav"} << QStringList{};
        QTest::newRow("unchanged name")
            << "b.wav" << QString() << QStringList{"a.wav", "b.wav"} << QStringList{};
        QTest::newRow("name of another file") << "b.wav"
                                              << "a" << QStringList{"a.wav", "b.wav"} << refused;
    }
    void renameTakesTheNameAsTyped() {
        QFETCH(QString, file);
        QFETCH(QString, keys);
        QFETCH(QStringList, listed);
        QFETCH(QStringList, errors);
        CommandsFixture f({"a.wav", file});
        const QByteArray content = filetree::readBytes(QFile::encodeName(f.path(file)));
        QVERIFY(!content.isEmpty());
        f.click(1);
        ModalAnswer answer([&](QDialog* dialog) { typeThenEnter(dialog, keys); });
        QTest::keyClick(f.list(), Qt::Key_F2);
        QVERIFY(answer.answered());
        QCOMPARE(f.prompt.texts("error"), errors);
        QCOMPARE(f.listed(), listed);
        // The sound stays under its new name, or under the old one when refused.
        const QString holder = errors.isEmpty() ? listed.last() : file;
        QCOMPARE(filetree::readBytes(QFile::encodeName(f.path(holder))), content);
        QCOMPARE(f.list()->selectedRow(), 1);
        QCOMPARE(f.checks, QList<bool>{false});
    }

    // The typed text is a name: nothing leaves the folder, goes into a folder or hides in it.
    void typedTextThatIsNoNameIsRefused_data() {
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("reason");
        const QString slash = QStringLiteral("A name cannot contain \"/\".");
        const QString dot = QStringLiteral("A name cannot begin with \".\".");
        QTest::newRow("parent folder") << "../escaped" << slash;
        QTest::newRow("sub-folder") << "sub/x" << slash;
        QTest::newRow("linked folder") << "link/x" << slash;
        QTest::newRow("hidden") << ".hidden" << dot;
        QTest::newRow("dot") << "." << dot;
        QTest::newRow("dot dot") << ".." << dot;
        QTest::newRow("empty") << "<BS>"
                               << "The new name is empty.";
        QTest::newRow("NUL") << QStringLiteral("a%1b").arg(QChar(0))
                             << "A name cannot contain a NUL character.";
    }
    void typedTextThatIsNoNameIsRefused() {
        QFETCH(QString, keys);
        QFETCH(QString, reason);
        CommandsFixture f({"a.wav", "b.wav"});
        QVERIFY(QDir(f.folder.path()).mkdir("sub"));
        QVERIFY(QFile::link(f.elsewhere.path(), f.path("link")));
        const QByteArrayList before = filetree::entries(QFile::encodeName(f.folder.path()));
        f.click(1);
        ModalAnswer answer([&](QDialog* dialog) { typeThenEnter(dialog, keys); });
        QTest::keyClick(f.list(), Qt::Key_F2);
        QVERIFY(answer.answered());
        QCOMPARE(f.prompt.texts("error"),
                 (QStringList{QStringLiteral("Error renaming file \"%1\". Failed with message\n%2")
                                  .arg(f.path("b.wav"), reason),
                              "Could not rename WAV file."}));
        QCOMPARE(filetree::entries(QFile::encodeName(f.folder.path())), before);
        QVERIFY(filetree::entries(QFile::encodeName(f.path("sub"))).isEmpty());
        QVERIFY(filetree::entries(QFile::encodeName(f.elsewhere.path())).isEmpty());
        QVERIFY(!QFile::exists(f.path("../escaped.wav")));
    }

    void deleteAndTheSelectionAfterIt_data() {
        QTest::addColumn<bool>("confirm");
        QTest::addColumn<int>("files");
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("selected");
        QTest::newRow("last of five, unasked") << false << 5 << 4 << 3;
        QTest::newRow("middle of five, unasked") << false << 5 << 1 << 1;
        QTest::newRow("the only file, unasked") << false << 1 << 0 << -1;
        QTest::newRow("middle of five, confirmed") << true << 5 << 2 << 2;
    }
    void deleteAndTheSelectionAfterIt() {
        QFETCH(bool, confirm);
        QFETCH(int, files);
        QFETCH(int, row);
        QFETCH(int, selected);
        const QStringList names = CommandsFixture::numberedNames(files);
        CommandsFixture f(names);
        setConfirmDelete(f, confirm);
        f.prompt.answers = {Prompt::Answer::Yes};
        f.click(row);
        QTest::keyClick(f.list(), Qt::Key_Delete, Qt::ControlModifier);
        QCOMPARE(f.stops, 1);
        QCOMPARE(f.prompt.texts("confirm"),
                 confirm ? QStringList{"Delete the selected file?"} : QStringList{});
        QVERIFY(f.prompt.texts("error").isEmpty());
        QVERIFY(!QFile::exists(f.path(names[row])));
        QCOMPARE(f.listed().size(), files - 1);
        QCOMPARE(f.list()->selectedRow(), selected);
        if (selected >= 0)
            QCOMPARE(f.window.focusWidget(), f.list());
        QCOMPARE(f.checks.last(), true);
    }

    void declinedDeleteChangesNothing() {
        CommandsFixture f({"a.wav", "b.wav"});
        setConfirmDelete(f, true);
        f.prompt.answers = {Prompt::Answer::No};
        f.click(0);
        QTest::mouseClick(f.sbDelete, Qt::LeftButton);
        QCOMPARE(f.prompt.asked.size(), 1);
        QCOMPARE(f.listed(), (QStringList{"a.wav", "b.wav"}));
        QVERIFY(QFile::exists(f.path("a.wav")));
        QCOMPARE(f.list()->selectedRow(), 0);
    }

    void refusedDeleteIsReportedAndTheListReread_data() {
        QTest::addColumn<bool>("readOnly"); // else already gone
        QTest::addColumn<QStringList>("listed");
        QTest::newRow("read-only file") << true << QStringList{"a.wav", "b.wav"};
        QTest::newRow("file already gone") << false << QStringList{"b.wav"};
    }
    void refusedDeleteIsReportedAndTheListReread() {
        QFETCH(bool, readOnly);
        QFETCH(QStringList, listed);
        CommandsFixture f({"a.wav", "b.wav"});
        setConfirmDelete(f, false);
        f.click(0);
        if (readOnly)
            QVERIFY(QFile::setPermissions(f.path("a.wav"), QFileDevice::ReadOwner));
        else
            QVERIFY(QFile::remove(f.path("a.wav")));
        QTest::keyClick(f.list(), Qt::Key_Delete, Qt::ControlModifier);
        QCOMPARE(f.prompt.texts("error"), QStringList{"Could not delete file."});
        QCOMPARE(f.listed(), listed);
        QCOMPARE(QFile::exists(f.path("a.wav")), readOnly);
    }

    // Bytes that are not UTF-8 show as "\xHH" and come back as the same bytes; only in such a
    // name is a backslash shown doubled.
    void renameKeepsTheBytesNotTyped_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("keys"); // after End
        QTest::addColumn<QByteArray>("renamed");
        QTest::newRow("appended to") << QByteArray("\xff\xfe bad.wav") << "\\xFF\\xFE bad"
                                     << "2" << QByteArray("\xff\xfe bad2.wav");
        QTest::newRow("backslash in it") << QByteArray("a\\b\xff.wav") << "a\\\\b\\xFF"
                                         << "2"
                                         << QByteArray("a\\b\xff"
                                                       "2.wav");
        QTest::newRow("escape typed") << QByteArray("\xff.wav") << "\\xFF"
                                      << "\\xfe" << QByteArray("\xff\xfe.wav");
        QTest::newRow("UTF-8 name taken as typed") << QByteArray("x\\xFF.wav") << "x\\xFF"
                                                   << "\\x41" << QByteArray("x\\xFF\\x41.wav");
    }
    void renameKeepsTheBytesNotTyped() {
        QFETCH(QByteArray, file);
        QFETCH(QString, shown);
        QFETCH(QString, keys);
        QFETCH(QByteArray, renamed);
        CommandsFixture f({});
        const QByteArray folderPath = QFile::encodeName(f.folder.path()) + '/';
        filetree::writeBytes(folderPath + file, "RIFF sound");
        f.browser->rereadFiles();
        f.click(0);
        QString inField;
        ModalAnswer answer([&](QDialog* dialog) {
            QLineEdit* edit = renameDialog(dialog)->editNewName;
            inField = edit->text();
            QTest::keyClick(edit, Qt::Key_End);
            typeThenEnter(dialog, keys);
        });
        QTest::keyClick(f.list(), Qt::Key_F2);
        QVERIFY(answer.answered());
        QVERIFY(f.prompt.asked.isEmpty());
        QCOMPARE(inField, shown);
        QCOMPARE(filetree::entries(folderPath), QByteArrayList{renamed});
        QCOMPARE(filetree::readBytes(folderPath + renamed), QByteArray("RIFF sound"));
    }

    void namesThatAreNotUtf8KeepTheirBytes_data() {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QByteArrayList>("folder");
        QTest::addColumn<QByteArrayList>("elsewhere");
        const QByteArray name("caf\xe9.WAV");
        QTest::newRow("copy") << "copy" << QByteArrayList{name, "z.wav"} << QByteArrayList{name};
        QTest::newRow("rename, name unchanged")
            << "rename" << QByteArrayList{"caf\xe9.wav", "z.wav"} << QByteArrayList{};
        QTest::newRow("delete") << "delete" << QByteArrayList{"z.wav"} << QByteArrayList{};
    }
    void namesThatAreNotUtf8KeepTheirBytes() {
        QFETCH(QString, command);
        QFETCH(QByteArrayList, folder);
        QFETCH(QByteArrayList, elsewhere);
        CommandsFixture f({"z.wav"});
        const QByteArray folderPath = QFile::encodeName(f.folder.path()) + '/';
        filetree::writeBytes(folderPath + "caf\xe9.WAV", "RIFF sound");
        f.browser->rereadFiles();
        QCOMPARE(f.listed().size(), 2);
        f.remember(cfg::kLastCopy, f.elsewhere.path());
        setConfirmDelete(f, false);
        f.click(0);
        ModalAnswer answer(
            [](QDialog* dialog) { QTest::keyClick(dialog->focusWidget(), Qt::Key_Return); });
        if (command == "copy")
            QTest::keyClick(f.list(), Qt::Key_C, Qt::ControlModifier);
        else if (command == "rename")
            QTest::keyClick(f.list(), Qt::Key_F2);
        else
            QTest::keyClick(f.list(), Qt::Key_Delete, Qt::ControlModifier);
        QVERIFY(f.prompt.asked.isEmpty());
        QCOMPARE(filetree::entries(folderPath), folder);
        QCOMPARE(filetree::entries(QFile::encodeName(f.elsewhere.path())), elsewhere);
        const QByteArray kept =
            command == "copy" ? QFile::encodeName(f.elsewhere.path()) + '/' + elsewhere.first()
                              : folderPath + folder.first();
        if (command != "delete")
            QCOMPARE(filetree::readBytes(kept), QByteArray("RIFF sound"));
    }
};

SONDRIX_TEST_MAIN(TestRenameDelete)
#include "tst_renamedelete.moc"
