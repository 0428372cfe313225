#include "playlist/playlistdocument.h"
#include "playlist/playlistmodel.h"
#include "tests/support/testenv.h"
#include "tests/support/wavfiles.h"
#include "tests/ui/main/windowfixture.h"
#include "ui/browse/listbox.h"
#include "ui/persist/recentlist.h"

#include <QAction>
#include <QDir>
#include <QMenu>

// The File menu's playlist commands on a real window and real files: dialogs, caption, recent
// files, the save prompt and the close.
class TestPlaylistFileMenu : public QObject {
    Q_OBJECT

    static QByteArray bytesOf(const QString& path) {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
    }

private Q_SLOTS:
    void cleanup() { resetConfiguration(); }

    void saveCaptionsTheWindowAndLeavesTheRecentFiles() {
        WindowFixture f;
        f.addPlaylistEntries({"/snd/a.wav", "/snd/b.wav"});
        const QString file = f.filePath("party.sxp");
        f.prompt.fileNames = {file};
        QTest::keyClick(f.window, Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(f.prompt.texts("save"), QStringList{"Save Playlist"});
        QCOMPARE(bytesOf(file), QByteArray("/snd/a.wav\r\n/snd/b.wav\r\n"));
        QCOMPARE(f.window->windowTitle(), QStringLiteral("Sondrix - party.sxp"));
        QVERIFY(f.root->recentList().entries().isEmpty()); // saving never adds
    }

    void openCaptionsRemembersAndEnablesThePlaylistCommands() {
        WindowFixture f;
        const QString file = f.filePath("set.sxp");
        writeTextFile(file, "/a/one.wav\n/b/two.wav");
        f.prompt.fileNames = {file};
        QVERIFY(!isControlEnabled(*f.window, "sbPlayPlaylist"));
        QTest::keyClick(f.window, Qt::Key_O, Qt::ControlModifier);
        QCOMPARE(f.window->lbPlaylist()->count(), 2);
        QCOMPARE(f.window->windowTitle(), QStringLiteral("Sondrix - set.sxp"));
        QCOMPARE(f.root->recentList().entries(), QStringList{file});
        QVERIFY(namedAction(*f.window, QStringLiteral("miFileReopen"))->isEnabled());
        QVERIFY(isControlEnabled(*f.window, "sbPlayPlaylist"));
    }

    void zeroByteFileLoadsAsSuccess() {
        WindowFixture f;
        const QString file = f.filePath("empty.sxp");
        writeTextFile(file, QByteArray());
        f.window->togglePlaylist();
        f.root->document().reopen(file);
        QCOMPARE(f.window->windowTitle(), QStringLiteral("Sondrix - empty.sxp"));
        QCOMPARE(f.window->playlistModel()->count(), 0);
        QVERIFY(!f.window->playlistPanel()->isVisible()); // an empty file shows nothing
        QCOMPARE(f.root->recentList().entries(), QStringList{file});
    }

    // A Reopen whose file has become unreadable leaves the open playlist whole, so the next
    // Save writes it back instead of emptying its file.
    void failedReopenKeepsThePlaylistForTheNextSave_data() {
        QTest::addColumn<bool>("folder");
        QTest::newRow("file deleted") << false;
        QTest::newRow("a folder in its place") << true;
    }
    void failedReopenKeepsThePlaylistForTheNextSave() {
        QFETCH(bool, folder);
        WindowFixture f;
        const QString gone = f.filePath("gone.sxp");
        const QString keep = f.filePath("keep.sxp");
        writeTextFile(gone, "/x/a.wav\r\n/x/b.wav\r\n");
        f.prompt.fileNames = {gone, keep};
        QTest::keyClick(f.window, Qt::Key_O, Qt::ControlModifier);
        QTest::keyClick(f.window, Qt::Key_A, Qt::ControlModifier); // Save As keep.sxp
        QVERIFY(QFile::remove(gone));
        if (folder)
            QVERIFY(QDir().mkdir(gone));

        chooseReopenEntry(*f.window, 0);
        QCOMPARE(f.prompt.asked.size(), 3); // the two dialogs, then one box
        QCOMPARE(f.window->playlistModel()->paths(), (QStringList{"/x/a.wav", "/x/b.wav"}));
        QCOMPARE(f.window->windowTitle(), QStringLiteral("Sondrix - keep.sxp"));
        QVERIFY(!f.window->playlistModel()->modified());
        QCOMPARE(f.root->recentList().entries(), QStringList{gone});

        QTest::keyClick(f.window, Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(bytesOf(keep), QByteArray("/x/a.wav\r\n/x/b.wav\r\n"));
    }

    void reopenOpensTheChosenEntry() {
        WindowFixture f;
        QStringList files;
        for (const QString name : {"A.sxp", "B.sxp", "C.sxp"}) {
            files.append(f.filePath(name));
            writeTextFile(files.last(), "/x/a.wav\r\n");
        }
        f.prompt.fileNames = files;
        for (int i = 0; i < 3; ++i)
            QTest::keyClick(f.window, Qt::Key_O, Qt::ControlModifier);
        QMenu* reopen = f.window->reopenAction()->menu();

        chooseReopenEntry(*f.window, 2); // "3 A" of C, B, A
        QCOMPARE(f.window->windowTitle(), QStringLiteral("Sondrix - A.sxp"));
        QTRY_COMPARE(reopen->actions().first()->text(), QStringLiteral("&1\t") + files[0]);
        chooseReopenEntry(*f.window, 1); // "2 C" of A, C, B
        QCOMPARE(f.window->windowTitle(), QStringLiteral("Sondrix - C.sxp"));
        QCOMPARE(f.root->recentList().entries(), (QStringList{files[2], files[0], files[1]}));
    }

    void aFileOver64MiBIsRefusedAtOnce() {
        WindowFixture f;
        f.addPlaylistEntries({"/x/a.wav"});
        const QString huge = f.filePath("huge.sxp");
        QFile file(huge);
        QVERIFY(file.open(QIODevice::WriteOnly));
        QVERIFY(file.resize(64 * 1024 * 1024 + 1)); // sparse: costs no disk
        file.close();
        f.prompt.fileNames = {huge};
        QTest::keyClick(f.window, Qt::Key_O, Qt::ControlModifier);
        QCOMPARE(f.prompt.texts("failure"),
                 QStringList{QStringLiteral("The file \"%1\" is too large to be a playlist: it "
                                            "holds more than 64 MiB.")
                                 .arg(huge)});
        QCOMPARE(f.window->playlistModel()->paths(), QStringList{"/x/a.wav"});
        QCOMPARE(f.window->windowTitle(), QStringLiteral("Sondrix"));
        QVERIFY(f.root->recentList().entries().isEmpty());
    }

    // Two windows open one playlist file and each adds a file: the later save would drop the
    // other's addition.
    void saveAsksBeforeOverwritingAChangedFile() {
        const auto openAndAdd = [](WindowFixture& f, const QString& file) {
            f.showFiles({"added.wav"});
            f.prompt.fileNames = {file};
            QTest::keyClick(f.window, Qt::Key_O, Qt::ControlModifier);
            WindowFixture::click(f.window->lbWavs(), 0, Qt::LeftButton, Qt::ShiftModifier);
            return "/x/a.wav\r\n" + f.filePath("added.wav").toUtf8() + "\r\n";
        };
        WindowFixture mine;
        const QString file = mine.filePath("shared.sxp");
        writeTextFile(file, "/x/a.wav\r\n");
        const QByteArray mineSaved = openAndAdd(mine, file);
        // Started after the first has added: windows in one process share its working directory.
        WindowFixture theirs;
        const QByteArray theirsSaved = openAndAdd(theirs, file);
        QTest::keyClick(theirs.window, Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(bytesOf(file), theirsSaved);

        mine.activate();
        mine.prompt.answers = {Prompt::Answer::No, Prompt::Answer::Yes};
        QTest::keyClick(mine.window, Qt::Key_S, Qt::ControlModifier);
        const QString question =
            QStringLiteral("The playlist file has been changed by another program. Overwrite it?");
        QCOMPARE(mine.prompt.texts("confirm"), QStringList{question});
        QCOMPARE(bytesOf(file), theirsSaved);
        QVERIFY(mine.window->playlistModel()->modified());

        QTest::keyClick(mine.window, Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(bytesOf(file), mineSaved);
        QTest::keyClick(mine.window, Qt::Key_S, Qt::ControlModifier); // its own save: no question
        QCOMPARE(mine.prompt.texts("confirm"), (QStringList{question, question}));
        QVERIFY(theirs.prompt.texts("confirm").isEmpty());
    }

    void newClearsTheCaption() {
        WindowFixture f;
        const QString file = f.filePath("n.sxp");
        writeTextFile(file, "/x/a.wav\r\n");
        f.root->document().reopen(file);
        QCOMPARE(f.window->windowTitle(), QStringLiteral("Sondrix - n.sxp"));
        QTest::keyClick(f.window, Qt::Key_Insert, Qt::ControlModifier);
        QCOMPARE(f.window->windowTitle(), QStringLiteral("Sondrix"));
        QCOMPARE(f.window->lbPlaylist()->count(), 0);
    }

    void closePaths_data() {
        QTest::addColumn<QList<Prompt::Answer>>("answers");
        QTest::addColumn<bool>("closes");
        QTest::newRow("No") << QList<Prompt::Answer>{Prompt::Answer::No} << true;
        QTest::newRow("Cancel") << QList<Prompt::Answer>{Prompt::Answer::Cancel} << false;
        QTest::newRow("Yes, then the dialog cancelled")
            << QList<Prompt::Answer>{Prompt::Answer::Yes} << false;
    }
    void closePaths() {
        QFETCH(QList<Prompt::Answer>, answers);
        QFETCH(bool, closes);
        WindowFixture f;
        f.addPlaylistEntries({"/x/a.wav"});
        f.window->playlistModel()->setModified(true);
        f.prompt.answers = answers;
        f.window->exitProgram();
        QCOMPARE(!f.window->isVisible(), closes);
        QVERIFY(!f.window->playback()->timer().isActive());
    }

    void failedSaveKeepsTheWindowOpen() {
        WindowFixture f;
        const QString file = f.filePath("ro.sxp");
        writeTextFile(file, "/old.wav\r\n");
        f.root->document().reopen(file);
        QVERIFY(QFile::setPermissions(file, QFileDevice::ReadOwner));
        f.addPlaylistEntries({"/x/new.wav"});
        f.window->playlistModel()->setModified(true);
        f.prompt.answers = {Prompt::Answer::Yes};
        f.window->close();
        QVERIFY(f.window->isVisible());
        QCOMPARE(f.prompt.texts("failure"),
                 QStringList{QStringLiteral("Cannot create file %1.").arg(file)});
        QVERIFY(f.window->playlistModel()->modified());
        QCOMPARE(bytesOf(file), QByteArray("/old.wav\r\n"));
        f.window->playlistModel()->setModified(false);
    }

    void saveAsLeavesTheRecentList() {
        WindowFixture f;
        f.addPlaylistEntries({"/x/a.wav"});
        f.prompt.fileNames = {f.filePath("as.sxp")};
        f.window->action(CommandId::FileSaveAs)->trigger();
        QCOMPARE(f.window->windowTitle(), QStringLiteral("Sondrix - as.sxp"));
        QVERIFY(f.root->recentList().entries().isEmpty());
        f.window->action(CommandId::FileSaveAs)->trigger(); // cancelled dialog: nothing changes
        QCOMPARE(f.window->windowTitle(), QStringLiteral("Sondrix - as.sxp"));
    }
};

SONDRIX_TEST_MAIN(TestPlaylistFileMenu)
#include "tst_playlistfilemenu.moc"
