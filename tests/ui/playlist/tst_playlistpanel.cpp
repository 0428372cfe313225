#include "base/configkeys.h"
#include "base/inistore.h"
#include "playback/playbackcontrol.h"
#include "playlist/playlistmodel.h"
#include "tests/support/testenv.h"
#include "tests/ui/main/windowfixture.h"
#include "ui/browse/browser.h"
#include "ui/browse/listbox.h"

#include <QAction>
#include <QLabel>

// The playlist commands and mouse handling on a real window.
class TestPlaylistPanel : public QObject {
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
        f.window->togglePlaylist();
        QVERIFY(!f.window->playlistPanel()->isVisible());
        WindowFixture::click(f.window->lbWavs(), 1, Qt::LeftButton, Qt::ShiftModifier);
        QCOMPARE(paths(*f.window), QStringList{f.filePath("b.wav")});
        QCOMPARE(shown(*f.window), QStringList{"b.wav"});
        QVERIFY(f.window->playlistPanel()->isVisible());
        QVERIFY(f.window->playlistModel()->modified());
        QVERIFY(!f.window->playback()->player().isOpen() ||
                f.window->playback()->player().mode() != MediaPlayer::Mode::Playing);
    }

    void autoPlaylistOffKeepsThePanelHidden() {
        WindowFixture f;
        f.root->store().writeBool(QLatin1String(cfg::kPreferences),
                                  QLatin1String(cfg::kAutoPlaylist), false);
        f.root->store().writeBool(QLatin1String(cfg::kPreferences), QLatin1String(cfg::kShowPath),
                                  true);
        f.showFiles({"a.wav"});
        f.window->togglePlaylist();
        WindowFixture::click(f.window->lbWavs(), 0);
        f.window->action(CommandId::AddToPlaylist)->trigger();
        QVERIFY(!f.window->playlistPanel()->isVisible());
        QCOMPARE(shown(*f.window), QStringList{f.filePath("a.wav")});
    }

    // A playlist file holds one path per line, so a name with a line break cannot be an entry.
    void aNameWithALineBreakIsNotAdded() {
        WindowFixture f;
        const QString broken = QStringLiteral("a\nb.wav");
        f.showFiles({broken, "c\rd.wav", "ok.wav"});
        const int row = static_cast<int>(f.window->browser()->wavNames().indexOf(broken));
        QVERIFY(row >= 0);
        WindowFixture::click(f.window->lbWavs(), row); // still plays from the file list
        QCOMPARE(f.window->playback()->player().fileName(), broken);
        QTest::keyClick(f.window->lbWavs(), Qt::Key_Insert, Qt::ShiftModifier);
        QVERIFY(paths(*f.window).isEmpty());
        f.window->action(CommandId::AddAll)->trigger();
        QCOMPARE(paths(*f.window), QStringList{f.filePath("ok.wav")});
        const QString reason = QStringLiteral("a playlist file cannot hold a name with a line "
                                              "break.");
        QCOMPARE(f.prompt.texts("error"),
                 (QStringList{QStringLiteral("The file \"%1\" cannot be added to the playlist: %2")
                                  .arg(f.filePath("a\\nb.wav"), reason),
                              "2 files cannot be added to the playlist: " + reason}));

        f.addPlaylistEntries({f.filePath(broken)}); // as no command can: the save refuses it
        const QString sxp = f.filePath("l.sxp");
        f.prompt.fileNames = {sxp};
        QTest::keyClick(f.window, Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(f.prompt.texts("failure").size(), 1);
        QVERIFY(f.prompt.texts("save").isEmpty()); // refused before the dialog
        QVERIFY(!QFile::exists(sxp));
    }

    void addAllTwiceAppendsInListOrder() {
        WindowFixture f;
        f.showFiles({"c.wav", "a.wav", "b.wav"});
        WindowFixture::click(f.window->lbWavs(), 1);
        f.window->action(CommandId::AddAll)->trigger();
        f.window->action(CommandId::AddAll)->trigger();
        QCOMPARE(shown(*f.window),
                 (QStringList{"a.wav", "b.wav", "c.wav", "a.wav", "b.wav", "c.wav"}));
        QCOMPARE(f.window->lbWavs()->selectedRow(), 1);
        QCOMPARE(f.window->focusWidget(), f.window->lbWavs());
    }

    // Ctrl+R removes the clicked entry; the rules follow the selection and the entries left.
    void removeByKeySetsTheRules_data() {
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<int>("clicked");
        QTest::addColumn<int>("selectedAfter");
        QTest::newRow("the only entry") << QStringList{"a.wav"} << 0 << -1;
        QTest::newRow("the last entry") << QStringList{"a.wav", "b.wav", "c.wav"} << 2 << 1;
        QTest::newRow("a middle entry") << QStringList{"a.wav", "b.wav", "c.wav"} << 1 << 1;
    }
    void removeByKeySetsTheRules() {
        QFETCH(QStringList, names);
        QFETCH(int, clicked);
        QFETCH(int, selectedAfter);
        WindowFixture f;
        f.addPlaylistEntries(names);
        WindowFixture::click(f.window->lbPlaylist(), clicked);
        QVERIFY(isControlEnabled(*f.window, "sbRemove"));
        f.prompt.answers = {Prompt::Answer::Yes};
        QTest::keyClick(f.window->lbPlaylist(), Qt::Key_R, Qt::ControlModifier);
        QCOMPARE(f.prompt.texts("confirm").size(), 1);
        QCOMPARE(f.window->lbPlaylist()->count(), names.size() - 1);
        QCOMPARE(f.window->lbPlaylist()->selectedRow(), selectedAfter);
        QCOMPARE(isControlEnabled(*f.window, "sbRemove"), selectedAfter >= 0);
        QCOMPARE(isControlEnabled(*f.window, "miPlaylistPlay"), names.size() > 1);
    }

    void staleSelectionChangesNothing() {
        WindowFixture f;
        f.addPlaylistEntries({"/x/a.wav", "/x/b.wav"});
        f.window->lbPlaylist()->clearSelectedRow();
        f.runCommand(CommandId::Remove);
        f.runCommand(CommandId::MoveUp);
        f.runCommand(CommandId::MoveDown);
        QCOMPARE(paths(*f.window), (QStringList{"/x/a.wav", "/x/b.wav"}));
        f.window->lbPlaylist()->selectRow(0);
        f.runCommand(CommandId::MoveUp); // first entry: nowhere to go
        f.window->lbPlaylist()->selectRow(1);
        f.runCommand(CommandId::MoveDown); // last entry
        QCOMPARE(paths(*f.window), (QStringList{"/x/a.wav", "/x/b.wav"}));
        QVERIFY(f.prompt.asked.isEmpty());
    }

    void moveUpAndDown() {
        WindowFixture f;
        f.showFiles({"a.wav", "b.wav", "c.wav"});
        f.addPlaylistEntries({f.filePath("a.wav"), f.filePath("b.wav"), f.filePath("c.wav")});
        WindowFixture::click(f.window->lbPlaylist(), 1);
        f.window->action(CommandId::MoveUp)->trigger();
        QCOMPARE(shown(*f.window), (QStringList{"b.wav", "a.wav", "c.wav"}));
        QCOMPARE(f.window->lbPlaylist()->selectedRow(), 0);
        QVERIFY(!isControlEnabled(*f.window, "miPlaylistMoveUp"));
        QVERIFY(isControlEnabled(*f.window, "pmiMoveDown"));
        WindowFixture::click(f.window->lbPlaylist(), 1);
        f.window->action(CommandId::MoveDown)->trigger();
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

SONDRIX_TEST_MAIN(TestPlaylistPanel)
#include "tst_playlistpanel.moc"
