#include "app/configkeys.h"
#include "app/inistore.h"
#include "browse/browser.h"
#include "browse/listbox.h"
#include "playback/playbackcontrol.h"
#include "playlist/playlistmodel.h"
#include "tests/support/testenv.h"
#include "tests/ui/main/windowfixture.h"

#include <QLabel>

// The playlist commands and mouse handling on a real window.
class TestPlaylistEditing : public QObject {
    Q_OBJECT

    static QStringList paths(const TfrmMain& w) { return w.playlistModel()->paths(); }
    static QStringList shown(const TfrmMain& w) {
        QStringList texts;
        for (int i = 0; i < w.playlistModel()->count(); ++i)
            texts.append(w.playlistModel()->displayText(i));
        return texts;
    }

private Q_SLOTS:
    void cleanup() { resetConfiguration(); }

    void shiftClickAddsAndShowsTheHiddenPanel() {
        WindowFixture f;
        f.showFiles({"a.wav", "b.wav"});
        f.window->sbShowPlaylistClick();
        QVERIFY(!f.window->playlistPanel()->isVisible());
        WindowFixture::click(f.window->lbWavs(), 1, Qt::LeftButton, Qt::ShiftModifier);
        QCOMPARE(paths(*f.window), QStringList{f.filePath("b.wav")});
        QCOMPARE(shown(*f.window), QStringList{"b.wav"});
        QVERIFY(f.window->playlistPanel()->isVisible());
        QVERIFY(f.window->playlistModel()->modified);
        QVERIFY(!f.window->playback()->player().isOpen() ||
                f.window->playback()->player().mode() != MediaPlayer::Mode::Playing);
    }

    void autoPlaylistOffKeepsThePanelHidden() {
        WindowFixture f;
        configStore().writeBool(QLatin1String(cfg::kPreferences), QLatin1String(cfg::kAutoPlaylist),
                                false);
        configStore().writeBool(QLatin1String(cfg::kPreferences), QLatin1String(cfg::kShowPath),
                                true);
        f.showFiles({"a.wav"});
        f.window->sbShowPlaylistClick();
        WindowFixture::click(f.window->lbWavs(), 0);
        f.window->miPlaylistAddClick();
        QVERIFY(!f.window->playlistPanel()->isVisible());
        QCOMPARE(shown(*f.window), QStringList{f.filePath("a.wav")});
    }

    void addAllTwiceAppendsInListOrder() {
        WindowFixture f;
        f.showFiles({"c.wav", "a.wav", "b.wav"});
        WindowFixture::click(f.window->lbWavs(), 1);
        f.window->miEditAddAllClick();
        f.window->miEditAddAllClick();
        QCOMPARE(shown(*f.window),
                 (QStringList{"a.wav", "b.wav", "c.wav", "a.wav", "b.wav", "c.wav"}));
        QCOMPARE(f.window->lbWavs()->selectedRow(), 1);
        QCOMPARE(f.window->focusWidget(), f.window->lbWavs());
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
        WindowFixture f;
        f.showFiles({"a.wav", "b.wav", "c.wav"});
        const QStringList all = {f.filePath("a.wav"), f.filePath("b.wav"), f.filePath("c.wav")};
        f.addPlaylistEntries(all.mid(0, entries));
        WindowFixture::click(f.window->lbPlaylist(), removed);
        f.prompt.answers = {Prompt::Answer::Yes};
        f.window->sbRemoveClick();
        QCOMPARE(f.prompt.texts("confirm"),
                 QStringList{"Remove the selected item from the playlist?"});
        QStringList expected = all.mid(0, entries);
        expected.removeAt(removed);
        QCOMPARE(paths(*f.window), expected);
        QCOMPARE(f.window->lbPlaylist()->selectedRow(), selected);
        QCOMPARE(isControlEnabled(*f.window, "sbRemove"), selected >= 0);
        QCOMPARE(isControlEnabled(*f.window, "miPlaylistPlay"), entries > 1);
        QVERIFY(f.window->playlistModel()->modified);
    }

    void declinedRemoveAndUnconfirmedRemove() {
        WindowFixture f;
        f.showFiles({"a.wav", "b.wav"});
        f.addPlaylistEntries({f.filePath("a.wav"), f.filePath("b.wav")});
        WindowFixture::click(f.window->lbPlaylist(), 0);
        f.window->playlistModel()->modified = false;
        f.prompt.answers = {Prompt::Answer::No};
        f.window->sbRemoveClick();
        QCOMPARE(paths(*f.window).size(), 2);
        QVERIFY(!f.window->playlistModel()->modified);
        QCOMPARE(f.window->lbPlaylist()->selectedRow(), 0);

        configStore().writeBool(QLatin1String(cfg::kPreferences),
                                QLatin1String(cfg::kConfirmDelete), false);
        f.prompt.asked.clear();
        f.window->sbRemoveClick();
        QVERIFY(f.prompt.asked.isEmpty());
        QCOMPARE(paths(*f.window), QStringList{f.filePath("b.wav")});

        // Clear asks whatever ConfirmDelete says.
        f.prompt.answers = {Prompt::Answer::Yes};
        f.window->miEditClearPlaylistClick();
        QCOMPARE(f.prompt.texts("confirm"),
                 QStringList{"Are you sure you want to clear the playlist?"});
        QVERIFY(paths(*f.window).isEmpty());
        f.window->playlistModel()->modified = false;
        f.prompt.asked.clear();
        f.window->miEditClearPlaylistClick(); // empty: asks nothing, flag kept
        QVERIFY(f.prompt.asked.isEmpty());
        QVERIFY(!f.window->playlistModel()->modified);
    }

    void staleSelectionChangesNothing() {
        WindowFixture f;
        f.addPlaylistEntries({"/x/a.wav", "/x/b.wav"});
        f.window->lbPlaylist()->clearSelectedRow();
        f.window->sbRemoveClick();
        f.window->sbUpClick();
        f.window->sbDownClick();
        QCOMPARE(paths(*f.window), (QStringList{"/x/a.wav", "/x/b.wav"}));
        f.window->lbPlaylist()->selectRow(0);
        f.window->sbUpClick(); // first entry: nowhere to go
        f.window->lbPlaylist()->selectRow(1);
        f.window->sbDownClick(); // last entry
        QCOMPARE(paths(*f.window), (QStringList{"/x/a.wav", "/x/b.wav"}));
        QVERIFY(f.prompt.asked.isEmpty());
    }

    void moveUpAndDown() {
        WindowFixture f;
        f.showFiles({"a.wav", "b.wav", "c.wav"});
        f.addPlaylistEntries({f.filePath("a.wav"), f.filePath("b.wav"), f.filePath("c.wav")});
        WindowFixture::click(f.window->lbPlaylist(), 1);
        f.window->sbUpClick();
        QCOMPARE(shown(*f.window), (QStringList{"b.wav", "a.wav", "c.wav"}));
        QCOMPARE(f.window->lbPlaylist()->selectedRow(), 0);
        QVERIFY(!isControlEnabled(*f.window, "miPlaylistMoveUp"));
        QVERIFY(isControlEnabled(*f.window, "pmiMoveDown"));
        WindowFixture::click(f.window->lbPlaylist(), 1);
        f.window->sbDownClick();
        QCOMPARE(shown(*f.window), (QStringList{"b.wav", "c.wav", "a.wav"}));
        QVERIFY(!isControlEnabled(*f.window, "sbDown"));
        QVERIFY(isControlEnabled(*f.window, "sbUp"));
    }

    void clickActionsOnEntries() {
        WindowFixture f;
        f.showFiles({"a.wav"});
        f.addPlaylistEntries({f.filePath("a.wav")});
        WindowFixture::click(f.window->lbPlaylist(), 0);
        QCOMPARE(f.window->statusPanel(1)->text(), QStringLiteral("0:0.05"));
        QCOMPARE(f.window->playback()->player().fileName(), f.filePath("a.wav"));
        f.reset(); // each window owns an output, and the dummy driver has only one device

        configStore().writeInteger(QLatin1String(cfg::kPreferences),
                                   QLatin1String(cfg::kSingleClick), 1);
        WindowFixture g; // the click action is read when the window is shown
        g.showFiles({"b.wav"});
        g.addPlaylistEntries({g.filePath("b.wav")});
        WindowFixture::click(g.window->lbPlaylist(), 0);
        QVERIFY(g.window->playback()->player().isOpen()); // loaded, not playing
        QCOMPARE(g.window->playback()->player().mode(), MediaPlayer::Mode::Stopped);
        QTimer::singleShot(300, g.window, [&] { g.window->playback()->abortAll(); });
        WindowFixture::click(g.window->lbPlaylist(), 0, Qt::LeftButton, Qt::AltModifier); // loops
        QVERIFY(!g.window->playback()->player().isOpen());
        QVERIFY(g.prompt.texts("failure").isEmpty());
    }

    void rightClickBelowEntriesKeepsTheSelection() {
        WindowFixture f;
        f.addPlaylistEntries({"/x/a.wav", "/x/b.wav"});
        f.window->lbPlaylist()->setFocus();
        f.window->lbPlaylist()->selectRow(1);
        const int below = f.window->lbPlaylist()->viewport()->height() - 3;
        QTest::mouseClick(f.window->lbPlaylist()->viewport(), Qt::RightButton, {},
                          QPoint(5, below));
        QCOMPARE(f.window->lbPlaylist()->selectedRow(), 1);
        QTest::mouseClick(
            f.window->lbPlaylist()->viewport(), Qt::RightButton, {},
            f.window->lbPlaylist()->visualRect(f.window->playlistModel()->index(0)).center());
        QCOMPARE(f.window->lbPlaylist()->selectedRow(), 0);
    }
};

SONDRIX_TEST_MAIN(TestPlaylistEditing)
#include "tst_playlistediting.moc"
