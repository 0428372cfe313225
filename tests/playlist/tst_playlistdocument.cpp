#include "app/configkeys.h"
#include "app/inistore.h"
#include "browse/listbox.h"
#include "playlist/playlistdocument.h"
#include "playlist/playlistmodel.h"
#include "tests/support/testenv.h"
#include "tests/support/wavfiles.h"
#include "tests/ui/main/windowfixture.h"
#include "ui/persist/recentlist.h"

#include <QAction>

// New, Open, Reopen, Save, Save As and the save prompt on a real window and real files.
class TestPlaylistDocument : public QObject {
    Q_OBJECT

    static QByteArray bytesOf(const QString& path) {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
    }

private Q_SLOTS:
    void cleanup() { resetConfiguration(); }

    void saveWithoutAFileAsksThenSavesInPlace() {
        WindowFixture f;
        f.addPlaylistEntries({"/snd/a.wav", "/snd/b.wav"});
        f.window->playlistModel()->modified = true;
        const QString file = f.filePath("party.sxp");
        f.prompt.fileNames = {file};
        f.window->miFileSaveClick();
        QCOMPARE(f.prompt.dialogs.size(), 1);
        const Prompt::FileDialog& dialog = f.prompt.dialogs.first();
        QCOMPARE(dialog.title, QStringLiteral("Save Playlist"));
        QCOMPARE(dialog.nameFilters, (QStringList{"Sondrix Playlists (*.sxp)", "All files (*)"}));
        QCOMPARE(dialog.defaultSuffix, QStringLiteral("sxp"));
        QVERIFY(dialog.confirmOverwrite);
        QCOMPARE(bytesOf(file), QByteArray("/snd/a.wav\r\n/snd/b.wav\r\n"));
        QCOMPARE(f.window->windowTitle(), QStringLiteral("Sondrix - party.sxp"));
        QVERIFY(!f.window->playlistModel()->modified);
        QCOMPARE(configStore().readString(QLatin1String(cfg::kDirectories),
                                          QLatin1String(cfg::kLastSave), {}),
                 f.folder.path() + QLatin1Char('/'));
        QVERIFY(f.window->recentList()->entries().isEmpty()); // saving never adds

        f.prompt.answers = {Prompt::Answer::Yes};
        f.window->miEditClearPlaylistClick();
        f.window->miFileSaveClick(); // no dialog this time
        QCOMPARE(f.prompt.dialogs.size(), 1);
        QCOMPARE(bytesOf(file), QByteArray());
    }

    void openLoadsRemembersAndCaptions() {
        WindowFixture f;
        const QString file = f.filePath("set.sxp");
        writeTextFile(file, "/a/one.wav\n/b/two.wav");
        configStore().writeString(QLatin1String(cfg::kDirectories), QLatin1String(cfg::kLastOpen),
                                  QStringLiteral("/opened/"));
        f.prompt.fileNames = {file};
        f.window->miFileOpenClick();
        QCOMPARE(f.prompt.dialogs.first().title, QStringLiteral("Open Playlist"));
        QCOMPARE(f.prompt.dialogs.first().nameFilters,
                 (QStringList{"Sondrix Playlists (*.sxp)", "All Files (*)"}));
        QCOMPARE(f.prompt.dialogs.first().initialDirectory, QStringLiteral("/opened/"));
        QCOMPARE(f.window->playlistModel()->paths(), (QStringList{"/a/one.wav", "/b/two.wav"}));
        QCOMPARE(f.window->playlistModel()->displayText(1), QStringLiteral("two.wav"));
        QCOMPARE(f.window->windowTitle(), QStringLiteral("Sondrix - set.sxp"));
        QVERIFY(!f.window->playlistModel()->modified);
        QCOMPARE(f.window->recentList()->entries(), QStringList{file});
        QVERIFY(namedAction(*f.window, QStringLiteral("miFileReopen"))->isEnabled());
        QCOMPARE(configStore().readString(QLatin1String(cfg::kDirectories),
                                          QLatin1String(cfg::kLastOpen), {}),
                 f.folder.path() + QLatin1Char('/'));
        QVERIFY(isControlEnabled(*f.window, "sbPlayPlaylist"));
    }

    void zeroByteFileLoadsAsSuccess() {
        WindowFixture f;
        const QString file = f.filePath("empty.sxp");
        writeTextFile(file, QByteArray());
        f.window->sbShowPlaylistClick();
        f.window->MRUManager1Click(file);
        QCOMPARE(f.window->windowTitle(), QStringLiteral("Sondrix - empty.sxp"));
        QCOMPARE(f.window->playlistModel()->count(), 0);
        QVERIFY(!f.window->playlistPanel()->isVisible()); // an empty file shows nothing
        QCOMPARE(f.window->recentList()->entries(), QStringList{file});
    }

    void reopenOfADeletedFile() {
        WindowFixture f;
        const QString first = f.filePath("first.sxp");
        writeTextFile(first, "/x/a.wav\r\n");
        f.window->MRUManager1Click(first);
        f.addPlaylistEntries({"/x/b.wav"});
        f.window->playlistModel()->modified = true;
        const QString gone = f.filePath("gone.sxp");
        f.prompt.answers = {Prompt::Answer::No};
        f.window->MRUManager1Click(gone);
        QCOMPARE(f.prompt.asked.at(0).text,
                 QStringLiteral("The current playlist has not been saved. Save it now?"));
        QCOMPARE(f.prompt.texts("error"),
                 QStringList{QStringLiteral("The file \"%1\" does not exist.").arg(gone)});
        QCOMPARE(f.window->playlistModel()->count(), 0);
        QCOMPARE(f.window->windowTitle(), QStringLiteral("Sondrix - first.sxp"));
        QCOMPARE(f.window->playlistModel()->currentFile, first);
        QCOMPARE(f.window->recentList()->entries(), (QStringList{gone, first}));
    }

    void newClearsEverything() {
        WindowFixture f;
        const QString file = f.filePath("n.sxp");
        writeTextFile(file, "/x/a.wav\r\n");
        f.window->MRUManager1Click(file);
        f.window->miFileNewClick();
        QCOMPARE(f.window->windowTitle(), QStringLiteral("Sondrix"));
        QCOMPARE(f.window->playlistModel()->count(), 0);
        QVERIFY(f.window->playlistModel()->currentFile.isEmpty());
        QVERIFY(f.prompt.asked.isEmpty()); // nothing unsaved, nothing asked
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
        f.window->playlistModel()->modified = true;
        f.prompt.answers = answers;
        f.window->miFileExitClick();
        QCOMPARE(!f.window->isVisible(), closes);
        QVERIFY(!f.window->playback()->timer().isActive());
    }

    void failedSaveKeepsTheWindowOpen() {
        WindowFixture f;
        const QString file = f.filePath("ro.sxp");
        writeTextFile(file, "/old.wav\r\n");
        f.window->MRUManager1Click(file);
        QVERIFY(QFile::setPermissions(file, QFileDevice::ReadOwner));
        f.addPlaylistEntries({"/x/new.wav"});
        f.window->playlistModel()->modified = true;
        f.prompt.answers = {Prompt::Answer::Yes};
        f.window->close();
        QVERIFY(f.window->isVisible());
        QCOMPARE(f.prompt.texts("failure"),
                 QStringList{QStringLiteral("Cannot create file %1.").arg(file)});
        QVERIFY(f.window->playlistModel()->modified);
        QCOMPARE(bytesOf(file), QByteArray("/old.wav\r\n"));
        f.window->playlistModel()->modified = false;
    }

    void saveAsLeavesTheRecentList() {
        WindowFixture f;
        f.addPlaylistEntries({"/x/a.wav"});
        f.prompt.fileNames = {f.filePath("as.sxp")};
        f.window->miFileSaveAsClick();
        QCOMPARE(f.window->windowTitle(), QStringLiteral("Sondrix - as.sxp"));
        QVERIFY(f.window->recentList()->entries().isEmpty());
        f.window->miFileSaveAsClick(); // cancelled dialog: nothing changes
        QCOMPARE(f.window->playlistModel()->currentFile, f.filePath("as.sxp"));
    }
};

SONDRIX_TEST_MAIN(TestPlaylistDocument)
#include "tst_playlistdocument.moc"
