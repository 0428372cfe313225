#include "playlist/playlistmodel.h"
#include "tests/support/testenv.h"
#include "tests/ui/main/windowfixture.h"
#include "ui/browse/browser.h"
#include "ui/browse/directorylist.h"
#include "ui/browse/listbox.h"
#include "ui/fileops/filecommands.h"
#include "ui/main/commandrules.h"
#include "ui/toolbar/speedbar.h"

#include <QAction>
#include <QSignalSpy>
#include <QToolButton>

namespace {

QStringList namesOf(const QList<CommandState>& states) {
    QStringList all;
    for (const CommandState& s : states)
        for (const QString& name : controlNames(commandRow(s.command)))
            if (!all.contains(name))
                all.append(name);
    return all;
}

// Every control that a rule governs, in every place it appears.
const QStringList kGoverned =
    namesOf(wavRule(0) + playlistRule(0, 2) + playRule(0, 0) + popupPlayRule(0, 0));

QStringList alwaysEnabledControls() {
    QStringList names;
    for (CommandId id : alwaysEnabledCommands())
        names += controlNames(commandRow(id));
    return names;
}

const QStringList kPlayControls = {"miControlsPlay", "miControlsLoop", "miControlsStop",
                                   "sbPlay",         "sbLoop",         "sbStop"};
const QStringList kWavCommands = {
    "sbCopy",   "miEditCopy",   "pmiCopy0",   "sbMove",   "miEditMove",          "pmiMove0",
    "sbRename", "miEditRename", "pmiRename0", "sbDelete", "miEditDelete",        "pmiDelete0",
    "sbEdit",   "miEditEdit",   "pmiEdit0",   "sbAdd",    "miEditAddToPlaylist", "pmiAddToPlaylist",
    "sbAddAll", "miEditAddAll", "pmiAddAll"};
const QStringList kPlayPlaylist = {"sbPlayPlaylist", "miPlaylistPlay", "pmiPlayPlaylist"};
const QStringList kRemove = {"sbRemove", "miPlaylistRemove", "pmiRemove"};
const QStringList kUp = {"sbUp", "miPlaylistMoveUp", "pmiMoveUp"};
const QStringList kDown = {"sbDown", "miPlaylistMoveDown", "pmiMoveDown"};
const QStringList kPlaylistEdit = {"sbEdit", "pmiEdit1"};
const QStringList kPlaylistPopupPlay = {"pmiPlay1", "pmiLoop1", "pmiStop1"};
const QStringList kWavPopupPlay = {"pmiPlay0", "pmiLoop0", "pmiStop0"};

} // namespace

class TestCommandRules : public QObject {
    Q_OBJECT

    static void verifyEnabledExactly(const TfrmMain& w, const QStringList& enabled) {
        for (const QString& control : kGoverned)
            QVERIFY2(
                isControlEnabled(w, control) == enabled.contains(control),
                qPrintable(QStringLiteral("%1 should be %2")
                               .arg(control, enabled.contains(control) ? "enabled" : "disabled")));
        for (const QString& control : alwaysEnabledControls())
            QVERIFY2(isControlEnabled(w, control), qPrintable(control));
    }

private Q_SLOTS:
    void cleanup() { resetConfiguration(); }

    void rulesAfterEachOperation_data() {
        QTest::addColumn<QString>("scenario");
        QTest::addColumn<QStringList>("enabled");
        QTest::newRow("start-up, empty playlist") << "startup" << QStringList{};
        QTest::newRow("first of three entries")
            << "playlist-first"
            << kDown + kRemove + kPlaylistEdit + kPlayPlaylist + kPlayControls + kPlaylistPopupPlay;
        QTest::newRow("third of three entries")
            << "playlist-third"
            << kUp + kRemove + kPlaylistEdit + kPlayPlaylist + kPlayControls + kPlaylistPopupPlay;
        QTest::newRow("the only entry")
            << "playlist-only"
            << kRemove + kPlaylistEdit + kPlayPlaylist + kPlayControls + kPlaylistPopupPlay;
        QTest::newRow("a file clicked while an entry was selected")
            << "wav-after-playlist" << kWavCommands + kPlayPlaylist + kPlayControls + kWavPopupPlay;
        QTest::newRow("focus moved to the directory list") << "directory-focus" << kPlayPlaylist;
        QTest::newRow("entries present, none selected") << "playlist-unselected" << kPlayPlaylist;
    }
    void rulesAfterEachOperation() {
        QFETCH(QString, scenario);
        QFETCH(QStringList, enabled);
        WindowFixture f;
        TfrmMain& w = *f.window;
        f.showFiles({"a.wav", "b.wav"});
        const QStringList three = {f.filePath("a.wav"), f.filePath("b.wav"), f.filePath("a.wav")};
        if (scenario.startsWith(QLatin1String("playlist")) || scenario == "wav-after-playlist" ||
            scenario == "directory-focus") {
            f.addPlaylistEntries(scenario == "playlist-only" ? three.mid(0, 1) : three);
            w.DoCheckPlaylistButtons();
        }
        if (scenario == "playlist-first" || scenario == "wav-after-playlist")
            WindowFixture::click(w.lbPlaylist(), 0);
        if (scenario == "playlist-third")
            WindowFixture::click(w.lbPlaylist(), 2);
        if (scenario == "playlist-only")
            WindowFixture::click(w.lbPlaylist(), 0);
        if (scenario == "playlist-unselected") {
            WindowFixture::click(w.lbPlaylist(), 1);
            w.lbWavs()->setFocus(); // leaving the playlist clears its selection
        }
        if (scenario == "wav-after-playlist") {
            QCOMPARE(w.lbPlaylist()->selectedRow(), 0);
            WindowFixture::click(w.lbWavs(), 1);
            QCOMPARE(w.lbPlaylist()->selectedRow(), -1);
            QCOMPARE(w.lbWavs()->selectedRow(), 1);
        }
        if (scenario == "directory-focus") {
            WindowFixture::click(w.lbWavs(), 0);
            w.browser()->directories()->setFocus();
            QCOMPARE(w.lbWavs()->selectedRow(), -1);
            QCOMPARE(w.GetCurrentList(), 1);
        }
        verifyEnabledExactly(w, enabled);
    }

    void currentListFollowsTheFocus() {
        WindowFixture f;
        f.showFiles({"a.wav"});
        f.addPlaylistEntries({f.filePath("a.wav")});
        QCOMPARE(f.window->GetCurrentList(), 0);
        WindowFixture::click(f.window->lbPlaylist(), 0);
        QCOMPARE(f.window->GetCurrentList(), 1);
        // A menu shortcut does not move the focus away from the list last worked in.
        QTest::keyClick(f.window->lbPlaylist(), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(f.window->GetCurrentList(), 1);
    }

    void disabledCommandsCannotRunFromTheirShortcutOrButton() {
        WindowFixture f;
        QAction* moveUp = f.window->action(CommandId::MoveUp);
        QAction* loop = f.window->action(CommandId::Loop);
        QVERIFY(!moveUp->isEnabled() && !loop->isEnabled());
        QSignalSpy upRuns(moveUp, &QAction::triggered);
        QSignalSpy loopRuns(loop, &QAction::triggered);
        QTest::keyClick(f.window->lbWavs(), Qt::Key_U, Qt::ControlModifier);
        QTest::keyClick(f.window->lbWavs(), Qt::Key_L, Qt::ControlModifier);
        QCOMPARE(upRuns.count(), 0);
        QCOMPARE(loopRuns.count(), 0);
        QVERIFY(!f.window->speedBar()->button(QStringLiteral("sbEdit"))->isEnabled());
        QCOMPARE(f.window->speedBar()->button(QStringLiteral("sbEdit"))->focusPolicy(),
                 Qt::NoFocus);
    }

    void openingAModalBoxKeepsTheSelection() {
        WindowFixture f;
        f.showFiles({"a.wav", "b.wav"});
        WindowFixture::click(f.window->lbWavs(), 1);
        QWidget other;
        other.show();
        QApplication::setActiveWindow(&other); // another window takes the focus
        QVERIFY(QTest::qWaitForWindowActive(&other));
        QCOMPARE(f.window->lbWavs()->selectedRow(), 1);
    }

    void setListFocusAfterFileOperations_data() {
        QTest::addColumn<int>("removeIndex");
        QTest::addColumn<int>("files");
        QTest::addColumn<int>("selected");
        QTest::newRow("last of five") << 4 << 5 << 3;
        QTest::newRow("second of five") << 1 << 5 << 1;
        QTest::newRow("the only file") << 0 << 1 << -1;
    }
    void setListFocusAfterFileOperations() {
        QFETCH(int, removeIndex);
        QFETCH(int, files);
        QFETCH(int, selected);
        WindowFixture f;
        QStringList names;
        for (int i = 0; i < files; ++i)
            names.append(QStringLiteral("f%1.wav").arg(i));
        f.showFiles(names);
        WindowFixture::click(f.window->lbWavs(), removeIndex);
        QVERIFY(QFile::remove(f.filePath(names.at(removeIndex))));
        f.window->browser()->rereadFiles();
        f.root->fileCommands().DoSetListFocus(removeIndex);
        QCOMPARE(f.window->lbWavs()->selectedRow(), selected);
        QCOMPARE(isControlEnabled(*f.window, QStringLiteral("miEditCopy")), selected >= 0);
        QCOMPARE(isControlEnabled(*f.window, QStringLiteral("sbPlay")), selected >= 0);
    }
};

SONDRIX_TEST_MAIN(TestCommandRules)
#include "tst_commandrules.moc"
