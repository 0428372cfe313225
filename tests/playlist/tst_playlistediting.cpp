#include "base/configkeys.h"
#include "base/inistore.h"
#include "playlist/playlisteditor.h"
#include "tests/playlist/playlistcore.h"
#include "tests/support/testenv.h"

#include <QApplication>
#include <QItemSelectionModel>
#include <QSignalSpy>

// The playlist's editing commands on the model alone, each given the row it acts on.
class TestPlaylistEditing : public QObject {
    Q_OBJECT

    IniStore m_store{IniStore::sharedFilePath()};

    void setPreference(const char* key, bool value) {
        m_store.writeBool(QLatin1String(cfg::kPreferences), QLatin1String(key), value);
    }

private Q_SLOTS:
    void cleanup() { QFile::remove(IniStore::sharedFilePath()); }

    void addFollowsThePreferences_data() {
        QTest::addColumn<bool>("showPath");
        QTest::addColumn<bool>("autoPlaylist");
        QTest::addColumn<QString>("shown");
        QTest::newRow("name, shown") << false << true << "b.wav";
        QTest::newRow("path, not shown") << true << false << "/snd/b.wav";
    }
    void addFollowsThePreferences() {
        QFETCH(bool, showPath);
        QFETCH(bool, autoPlaylist);
        QFETCH(QString, shown);
        setPreference(cfg::kShowPath, showPath);
        setPreference(cfg::kAutoPlaylist, autoPlaylist);
        PlaylistCore core;
        PlaylistEditor& editor = core.editor;
        QSignalSpy modified(&core.model, &PlaylistModel::modifiedChanged);
        editor.DoAddStringToPlaylist(QStringLiteral("b.wav"), QStringLiteral("/snd"));
        QCOMPARE(core.model.paths(), QStringList{"/snd/b.wav"});
        QCOMPARE(core.model.displayText(0), shown);
        QVERIFY(core.model.modified());
        QCOMPARE(modified.size(), 1);
        QCOMPARE(core.showRequests, autoPlaylist ? QList<bool>{false} : QList<bool>{});
        QCOMPARE(core.ruleChecks, QList<bool>{false});
        QVERIFY(core.prompt.asked.isEmpty());
    }

    void addAllAppendsInListOrderAsOneInsertion() {
        PlaylistCore core;
        PlaylistEditor& editor = core.editor;
        QSignalSpy inserted(&core.model, &QAbstractItemModel::rowsInserted);
        const QStringList names = {"c.wav", "a.wav", "b.wav"};
        editor.addAll(names, QStringLiteral("/snd/"));
        editor.addAll(names, QStringLiteral("/snd/"));
        QCOMPARE(core.model.paths(), (QStringList{"/snd/c.wav", "/snd/a.wav", "/snd/b.wav",
                                                  "/snd/c.wav", "/snd/a.wav", "/snd/b.wav"}));
        QCOMPARE(inserted.size(), 2);
        QCOMPARE(core.ruleChecks, (QList<bool>{false, false}));
        editor.addAll({}, QStringLiteral("/snd/")); // nothing to add: nothing happens
        QCOMPARE(core.ruleChecks.size(), 2);
    }

    void loadedLinesKeepTheirText() {
        PlaylistCore core;
        PlaylistEditor& editor = core.editor;
        editor.addLoadedLines({"/x/one.wav", "plain.wav", ""});
        QCOMPARE(core.model.paths(), (QStringList{"/x/one.wav", "plain.wav", ""}));
        QCOMPARE(core.model.displayText(0), QStringLiteral("one.wav"));
        QCOMPARE(core.model.displayText(1), QStringLiteral("plain.wav"));
    }

    void removeSelectsTheNextEntry_data() {
        QTest::addColumn<int>("entries");
        QTest::addColumn<int>("removed");
        QTest::addColumn<int>("selected");
        QTest::newRow("only") << 1 << 0 << -1;
        QTest::newRow("last") << 3 << 2 << 1;
        QTest::newRow("middle") << 3 << 1 << 1;
    }
    void removeSelectsTheNextEntry() {
        QFETCH(int, entries);
        QFETCH(int, removed);
        QFETCH(int, selected);
        PlaylistCore core;
        PlaylistEditor& editor = core.editor;
        const QStringList all = {"/x/a.wav", "/x/b.wav", "/x/c.wav"};
        core.addEntries(all.mid(0, entries));
        core.model.selectRow(removed);
        QCOMPARE(core.model.selectedRow(), removed);
        core.prompt.answers = {Prompt::Answer::Yes};
        editor.remove(removed);
        QCOMPARE(core.prompt.texts("confirm"),
                 QStringList{"Remove the selected item from the playlist?"});
        QStringList expected = all.mid(0, entries);
        expected.removeAt(removed);
        QCOMPARE(core.model.paths(), expected);
        QCOMPARE(core.model.selectedRow(), selected);
        QCOMPARE(core.ruleChecks, QList<bool>{true});
        QVERIFY(core.model.modified());
    }

    void declinedRemoveAndUnconfirmedRemove() {
        PlaylistCore core;
        PlaylistEditor& editor = core.editor;
        core.addEntries({"/x/a.wav", "/x/b.wav"});
        core.prompt.answers = {Prompt::Answer::No};
        editor.remove(0);
        QCOMPARE(core.model.count(), 2);
        QVERIFY(!core.model.modified());
        QVERIFY(core.ruleChecks.isEmpty());

        setPreference(cfg::kConfirmDelete, false);
        core.prompt.asked.clear();
        editor.remove(0);
        QVERIFY(core.prompt.asked.isEmpty());
        QCOMPARE(core.model.paths(), QStringList{"/x/b.wav"});
        QCOMPARE(core.model.selectedRow(), 0);
    }

    void clearAsksOnlyWhenThereAreEntries() {
        setPreference(cfg::kConfirmDelete, false); // Clear asks whatever ConfirmDelete says
        PlaylistCore core;
        PlaylistEditor& editor = core.editor;
        core.addEntries({"/x/a.wav"});
        core.prompt.answers = {Prompt::Answer::No};
        editor.clear();
        QCOMPARE(core.model.count(), 1);
        QVERIFY(!core.model.modified());
        core.prompt.answers = {Prompt::Answer::Yes};
        editor.clear();
        QCOMPARE(core.prompt.texts("confirm"),
                 (QStringList{"Are you sure you want to clear the playlist?",
                              "Are you sure you want to clear the playlist?"}));
        QCOMPARE(core.model.count(), 0);
        QVERIFY(core.model.modified());
        core.model.setModified(false);
        core.prompt.asked.clear();
        editor.clear(); // empty: asks nothing, flag kept
        QVERIFY(core.prompt.asked.isEmpty());
        QVERIFY(!core.model.modified());
        QCOMPARE(core.ruleChecks, (QList<bool>{true, true, true})); // the rules run every time
    }

    void rowsThatNoLongerAllowACommandChangeNothing_data() {
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("step"); // 0: remove
        QTest::newRow("remove, no row") << -1 << 0;
        QTest::newRow("remove, past the end") << 2 << 0;
        QTest::newRow("up, no row") << -1 << -1;
        QTest::newRow("up, first") << 0 << -1;
        QTest::newRow("down, no row") << -1 << 1;
        QTest::newRow("down, last") << 1 << 1;
    }
    void rowsThatNoLongerAllowACommandChangeNothing() {
        QFETCH(int, row);
        QFETCH(int, step);
        PlaylistCore core;
        PlaylistEditor& editor = core.editor;
        core.addEntries({"/x/a.wav", "/x/b.wav"});
        if (step == 0)
            editor.remove(row);
        else if (step < 0)
            editor.moveUp(row);
        else
            editor.moveDown(row);
        QCOMPARE(core.model.paths(), (QStringList{"/x/a.wav", "/x/b.wav"}));
        QVERIFY(!core.model.modified());
        QVERIFY(core.prompt.asked.isEmpty());
        QVERIFY(core.ruleChecks.isEmpty());
    }

    void moveUpAndDownCarryTheSelection() {
        PlaylistCore core;
        PlaylistEditor& editor = core.editor;
        core.addEntries({"a", "b", "c"});
        QSignalSpy current(core.model.selectionModel(), &QItemSelectionModel::currentChanged);
        editor.moveUp(1);
        QCOMPARE(core.model.paths(), (QStringList{"b", "a", "c"}));
        QCOMPARE(core.model.selectedRow(), 0);
        editor.moveDown(1);
        QCOMPARE(core.model.paths(), (QStringList{"b", "c", "a"}));
        QCOMPARE(core.model.selectedRow(), 2);
        QCOMPARE(current.size(), 2);
        QVERIFY(core.model.modified());
        QCOMPARE(core.ruleChecks, (QList<bool>{false, false}));
    }

    void theModelAnnouncesOnlyChanges() {
        PlaylistModel model;
        QSignalSpy modified(&model, &PlaylistModel::modifiedChanged);
        QSignalSpy file(&model, &PlaylistModel::currentFileChanged);
        model.setModified(false);
        model.setModified(true);
        model.setModified(true);
        model.setCurrentFile(QStringLiteral("/p/a.sxp"));
        model.setCurrentFile(QStringLiteral("/p/a.sxp"));
        model.setCurrentFile({});
        QCOMPARE(modified.size(), 1);
        QCOMPARE(modified.first().first().toBool(), true);
        QCOMPARE(file.size(), 2);
        QCOMPARE(file.at(0).first().toString(), QStringLiteral("/p/a.sxp"));
        QVERIFY(model.currentFile().isEmpty());
    }

    void selectionFollowsTheEntries() {
        PlaylistModel model;
        model.append({{"/a", "a"}, {"/b", "b"}});
        model.selectRow(1);
        QCOMPARE(model.selectedRow(), 1);
        model.selectRow(5); // outside the list: nothing selected
        QCOMPARE(model.selectedRow(), -1);
        model.selectRow(0);
        model.clear();
        QCOMPARE(model.selectedRow(), -1);
    }
};

SONDRIX_TEST_MAIN(TestPlaylistEditing)
#include "tst_playlistediting.moc"
