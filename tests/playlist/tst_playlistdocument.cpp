#include "base/configkeys.h"
#include "base/inistore.h"
#include "base/sxerror.h"
#include "playlist/playlistdocument.h"
#include "playlist/playlisteditor.h"
#include "tests/playlist/playlistcore.h"
#include "tests/support/testenv.h"
#include "tests/support/wavfiles.h"

#include <QApplication>

// New, Open, Reopen, Save, Save As and the save prompt on the playlist alone, over real files.
class TestPlaylistDocument : public QObject {
    Q_OBJECT

    // The document over a core, recording the files it puts first in the recent list.
    struct Document : PlaylistCore {
        Document() {
            watch(document);
            QObject::connect(&document, &PlaylistDocument::fileUsed,
                             [this](const QString& file) { used.prepend(file); });
        }
        PlaylistDocument document{model, editor, prompt, store};
        QStringList used; // newest first, as the recent list keeps them
    };

    QTemporaryDir m_dir;
    IniStore m_store{IniStore::sharedFilePath()};
    QString filePath(const char* name) const { return m_dir.filePath(QLatin1String(name)); }
    static QByteArray bytesOf(const QString& path) {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
    }
    QString directory(const char* key) const {
        return m_store.readString(QLatin1String(cfg::kDirectories), QLatin1String(key), {});
    }

private Q_SLOTS:
    void cleanup() { QFile::remove(IniStore::sharedFilePath()); }

    void saveWithoutAFileAsksThenSavesInPlace() {
        Document d;
        d.addEntries({"/snd/a.wav", "/snd/b.wav"});
        d.model.setModified(true);
        const QString file = filePath("party.sxp");
        d.prompt.fileNames = {file};
        d.document.save();
        QCOMPARE(d.prompt.dialogs.size(), 1);
        const Prompt::FileDialog& dialog = d.prompt.dialogs.first();
        QCOMPARE(dialog.title, QStringLiteral("Save Playlist"));
        QCOMPARE(dialog.nameFilters, (QStringList{"Sondrix Playlists (*.sxp)", "All files (*)"}));
        QCOMPARE(dialog.defaultSuffix, QStringLiteral("sxp"));
        QVERIFY(dialog.confirmOverwrite);
        QCOMPARE(bytesOf(file), QByteArray("/snd/a.wav\r\n/snd/b.wav\r\n"));
        QCOMPARE(d.model.currentFile(), file);
        QVERIFY(!d.model.modified());
        QCOMPARE(directory(cfg::kLastSave), m_dir.path() + QLatin1Char('/'));
        QVERIFY(d.used.isEmpty()); // saving never adds to the recent files

        d.model.clear();
        d.document.save(); // no dialog this time
        QCOMPARE(d.prompt.dialogs.size(), 1);
        QCOMPARE(bytesOf(file), QByteArray());
    }

    void openLoadsAndRemembers() {
        Document d;
        const QString file = filePath("set.sxp");
        writeTextFile(file, "/a/one.wav\n/b/two.wav");
        m_store.writeString(QLatin1String(cfg::kDirectories), QLatin1String(cfg::kLastOpen),
                            QStringLiteral("/opened/"));
        d.prompt.fileNames = {file};
        d.document.open();
        QCOMPARE(d.prompt.dialogs.first().title, QStringLiteral("Open Playlist"));
        QCOMPARE(d.prompt.dialogs.first().nameFilters,
                 (QStringList{"Sondrix Playlists (*.sxp)", "All Files (*)"}));
        QCOMPARE(d.prompt.dialogs.first().initialDirectory, QStringLiteral("/opened/"));
        QCOMPARE(d.model.paths(), (QStringList{"/a/one.wav", "/b/two.wav"}));
        QCOMPARE(d.model.displayText(1), QStringLiteral("two.wav"));
        QCOMPARE(d.model.currentFile(), file);
        QVERIFY(!d.model.modified());
        QCOMPARE(d.used, QStringList{file});
        QCOMPARE(directory(cfg::kLastOpen), m_dir.path() + QLatin1Char('/'));
        QCOMPARE(d.showRequests, QList<bool>{false}); // entries were added
        QCOMPARE(d.ruleChecks.last(), true);
    }

    void zeroByteFileLoadsAsSuccess() {
        Document d;
        const QString file = filePath("empty.sxp");
        writeTextFile(file, QByteArray());
        d.document.reopen(file);
        QCOMPARE(d.model.currentFile(), file);
        QCOMPARE(d.model.count(), 0);
        QVERIFY(d.showRequests.isEmpty());           // an empty file shows nothing
        QCOMPARE(d.used, (QStringList{file, file})); // chosen again, then opened
    }

    void reopenOfADeletedFile() {
        Document d;
        const QString first = filePath("first.sxp");
        writeTextFile(first, "/x/a.wav\r\n");
        d.document.reopen(first);
        d.addEntries({"/x/b.wav"});
        d.model.setModified(true);
        const QString gone = filePath("gone.sxp");
        d.prompt.answers = {Prompt::Answer::No};
        d.document.reopen(gone);
        QCOMPARE(d.prompt.asked.at(0).text,
                 QStringLiteral("The current playlist has not been saved. Save it now?"));
        QCOMPARE(d.prompt.texts("error"),
                 QStringList{QStringLiteral("The file \"%1\" does not exist.").arg(gone)});
        QCOMPARE(d.model.paths(), (QStringList{"/x/a.wav", "/x/b.wav"}));
        QVERIFY(d.model.modified());
        QCOMPARE(d.model.currentFile(), first);
        QCOMPARE(d.used.first(), gone);
    }

    void newClearsEverything() {
        Document d;
        const QString file = filePath("n.sxp");
        writeTextFile(file, "/x/a.wav\r\n");
        d.document.reopen(file);
        d.ruleChecks.clear();
        d.document.newPlaylist();
        QCOMPARE(d.model.count(), 0);
        QVERIFY(d.model.currentFile().isEmpty());
        QVERIFY(!d.model.modified());
        QVERIFY(d.prompt.asked.isEmpty()); // nothing unsaved, nothing asked
        QCOMPARE(d.ruleChecks, QList<bool>{true});
    }

    void closeQuery_data() {
        QTest::addColumn<QList<Prompt::Answer>>("answers");
        QTest::addColumn<QStringList>("fileNames");
        QTest::addColumn<bool>("closes");
        QTest::addColumn<bool>("saved");
        using A = Prompt::Answer;
        QTest::newRow("No") << QList<A>{A::No} << QStringList{} << true << false;
        QTest::newRow("Cancel") << QList<A>{A::Cancel} << QStringList{} << false << false;
        QTest::newRow("Yes, then the dialog cancelled")
            << QList<A>{A::Yes} << QStringList{} << false << false;
        QTest::newRow("Yes, then a file chosen")
            << QList<A>{A::Yes} << QStringList{"close.sxp"} << true << true;
    }
    void closeQuery() {
        QFETCH(QList<Prompt::Answer>, answers);
        QFETCH(QStringList, fileNames);
        QFETCH(bool, closes);
        QFETCH(bool, saved);
        Document d;
        d.addEntries({"/x/a.wav"});
        d.model.setModified(true);
        d.prompt.answers = answers;
        for (const QString& name : fileNames)
            d.prompt.fileNames.append(m_dir.filePath(name));
        QCOMPARE(d.document.canClose(), closes);
        QCOMPARE(QFile::exists(filePath("close.sxp")), saved);
        QCOMPARE(d.model.modified(), !saved);
        QFile::remove(filePath("close.sxp"));
    }

    void anUnmodifiedPlaylistClosesWithoutAQuestion() {
        Document d;
        d.addEntries({"/x/a.wav"});
        QVERIFY(d.document.canClose());
        QVERIFY(d.prompt.asked.isEmpty());
    }

    void failedSaveRaisesAndKeepsEverything() {
        Document d;
        const QString file = filePath("ro.sxp");
        writeTextFile(file, "/old.wav\r\n");
        d.document.reopen(file);
        QVERIFY(QFile::setPermissions(file, QFileDevice::ReadOwner));
        d.addEntries({"/x/new.wav"});
        d.model.setModified(true);
        d.prompt.answers = {Prompt::Answer::Yes};
        QVERIFY_THROWS_EXCEPTION(SxError, d.document.canClose());
        QVERIFY(d.model.modified());
        QCOMPARE(bytesOf(file), QByteArray("/old.wav\r\n"));
        QVERIFY(QFile::setPermissions(file, QFileDevice::ReadOwner | QFileDevice::WriteOwner));
    }

    void cancelledSaveAsChangesNothing() {
        Document d;
        d.addEntries({"/x/a.wav"});
        d.prompt.fileNames = {filePath("as.sxp")};
        d.document.saveAs();
        QCOMPARE(d.model.currentFile(), filePath("as.sxp"));
        d.model.setModified(true);
        d.document.saveAs(); // cancelled dialog
        QCOMPARE(d.model.currentFile(), filePath("as.sxp"));
        QVERIFY(d.model.modified());
        QVERIFY(d.used.isEmpty());
    }

    void captionNamesTheFile_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("caption");
        QTest::newRow("none") << QString() << "Sondrix";
        QTest::newRow("a file") << "/lists/party.sxp"
                                << "Sondrix - party.sxp";
    }
    void captionNamesTheFile() {
        QFETCH(QString, file);
        QFETCH(QString, caption);
        QCOMPARE(PlaylistDocument::captionFor(file), caption);
    }
};

SONDRIX_TEST_MAIN(TestPlaylistDocument)
#include "tst_playlistdocument.moc"
