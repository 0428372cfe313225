// The subsystems bound to the window's commands, run through their menu items, shortcuts and
// toolbar buttons.
#include "base/configkeys.h"
#include "base/inistore.h"
#include "playlist/playlistmodel.h"
#include "tests/support/testenv.h"
#include "tests/ui/main/windowfixture.h"
#include "ui/browse/browser.h"
#include "ui/browse/listbox.h"
#include "ui/dialogs/tfrmhelpabout.h"
#include "ui/dialogs/tfrmpreferences.h"
#include "ui/toolbar/speedbar.h"

#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QToolButton>

#include <functional>

namespace {

// Runs `act` on the modal dialog of type D as soon as it is shown; the test fails when none is.
template <typename D> void whenShown(std::function<void(D*)> act, bool* seen) {
    auto* poll = new QTimer;
    poll->setInterval(10);
    QObject::connect(poll, &QTimer::timeout, [poll, act, seen] {
        if (auto* dialog = qobject_cast<D*>(QApplication::activeModalWidget())) {
            poll->stop();
            poll->deleteLater();
            *seen = true;
            act(dialog);
        }
    });
    poll->start();
}

QString readFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

// Makes a script the configured editor; it writes its argument count and first argument to
// `out`, as "count|argument".
bool useRecordingEditor(const WindowFixture& f, const QString& out) {
    const QString editor = f.filePath("editor.sh");
    QFile script(editor);
    if (!script.open(QIODevice::WriteOnly))
        return false;
    script.write(("#!/bin/sh\nprintf '%s|%s' \"$#\" \"$1\" > '" + out + "'\n").toUtf8());
    script.close();
    if (!script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner))
        return false;
    configStore().writeString(QLatin1String(cfg::kPreferences), QLatin1String(cfg::kEditor),
                              editor);
    return true;
}

} // namespace

class TestBindings : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void cleanup() { resetConfiguration(); }

    void deleteStopsPlaybackAndSelectsTheNextFile_data() {
        QTest::addColumn<bool>("fromToolbar");
        QTest::newRow("Ctrl+Del") << false;
        QTest::newRow("toolbar button") << true;
    }
    void deleteStopsPlaybackAndSelectsTheNextFile() {
        QFETCH(bool, fromToolbar);
        WindowFixture f;
        f.showFiles({"a.wav", "b.wav", "c.wav"});
        WindowFixture::click(f.window->lbWavs(), 1);
        QVERIFY(f.window->playback()->player().isOpen());
        f.prompt.answers = {Prompt::Answer::Yes};
        if (fromToolbar) {
            QToolButton* button = f.window->speedBar()->button(QStringLiteral("sbDelete"));
            QVERIFY(button->isVisible() && button->isEnabled());
            QTest::mouseClick(button, Qt::LeftButton);
        } else {
            QTest::keyClick(f.window, Qt::Key_Delete, Qt::ControlModifier);
        }
        QCOMPARE(f.prompt.texts(QStringLiteral("confirm")),
                 QStringList{QStringLiteral("Delete the selected file?")});
        QVERIFY(!QFile::exists(f.filePath("b.wav")));
        QVERIFY(!f.window->playback()->player().isOpen());
        QCOMPARE(f.window->browser()->wavNames(), (QStringList{"a.wav", "c.wav"}));
        QCOMPARE(f.window->lbWavs()->selectedRow(), 1);
        QVERIFY(f.window->action(CommandId::Delete)->isEnabled());
    }

    void aDisabledToolbarButtonRunsNothing() {
        WindowFixture f;
        f.showFiles({"a.wav"});
        f.window->lbWavs()->clearSelectedRow();
        f.window->DoCheckWavButtons();
        QToolButton* button = f.window->speedBar()->button(QStringLiteral("sbDelete"));
        QVERIFY(!f.window->action(CommandId::Delete)->isEnabled());
        QVERIFY(!button->isEnabled());
        QTest::mouseClick(button, Qt::LeftButton);
        QVERIFY(f.prompt.asked.isEmpty());
        QVERIFY(QFile::exists(f.filePath("a.wav")));
    }

    void editStartsTheEditorWithTheSelectedFile() {
        WindowFixture f;
        const QString out = f.filePath("edited.txt");
        QVERIFY(useRecordingEditor(f, out));
        f.showFiles({"a.wav", "b.wav"});
        WindowFixture::click(f.window->lbWavs(), 1);
        QTest::keyClick(f.window, Qt::Key_E, Qt::ControlModifier);
        QTRY_COMPARE(readFile(out), QStringLiteral("1|") + f.filePath("b.wav"));
        QVERIFY(!f.window->playback()->player().isOpen());
        QVERIFY(f.prompt.asked.isEmpty());
    }

    void editPassesAPlaylistEntrysStoredPath_data() {
        QTest::addColumn<bool>("ctrlClick");
        QTest::newRow("toolbar Edit") << false;
        QTest::newRow("Ctrl+click") << true;
    }
    void editPassesAPlaylistEntrysStoredPath() {
        QFETCH(bool, ctrlClick);
        WindowFixture f;
        const QString out = f.filePath("edited.txt");
        QVERIFY(useRecordingEditor(f, out));
        QVERIFY(QDir(f.folder.path()).mkdir(QStringLiteral("takes")));
        f.showFiles({"a.wav", "takes/my take.wav"});
        const QString stored = f.filePath("takes/my take.wav");
        f.addPlaylistEntries({f.filePath("a.wav"), stored});
        QCOMPARE(f.window->playlistModel()->displayText(1), QStringLiteral("my take.wav"));

        if (ctrlClick) {
            WindowFixture::click(f.window->lbPlaylist(), 1, Qt::LeftButton, Qt::ControlModifier);
        } else {
            WindowFixture::click(f.window->lbPlaylist(), 1);
            QToolButton* edit = f.window->speedBar()->button(QStringLiteral("sbEdit"));
            QVERIFY(edit && edit->isEnabled());
            QTest::mouseClick(edit, Qt::LeftButton);
        }
        QTRY_COMPARE(readFile(out), QStringLiteral("1|") + stored);
        QVERIFY(f.prompt.asked.isEmpty());
    }

    void preferencesRebuildTheDisplayAndRereadTheClickAction_data() {
        QTest::addColumn<bool>("accept");
        QTest::newRow("OK by Enter") << true;
        QTest::newRow("Esc, settings changed meanwhile") << false;
    }
    void preferencesRebuildTheDisplayAndRereadTheClickAction() {
        QFETCH(bool, accept);
        WindowFixture f;
        f.showFiles({"a.wav"});
        f.addPlaylistEntries({f.filePath("a.wav"), f.filePath("b.wav")});
        f.window->playlistModel()->setModified(false);
        QCOMPARE(f.window->playlistModel()->displayText(0), QStringLiteral("a.wav"));
        QCOMPARE(f.window->clickAction(), 0);
        bool seen = false;
        whenShown<TfrmPreferences>(
            [accept](TfrmPreferences* dialog) {
                if (accept) {
                    dialog->cbShowPath()->setChecked(true);
                    dialog->clickActionButton(1)->setChecked(true);
                    QTest::keyClick(dialog->focusWidget(), Qt::Key_Return);
                } else {
                    // Another copy of the program writes them while the dialog is open.
                    configStore().writeBool(QLatin1String(cfg::kPreferences),
                                            QLatin1String(cfg::kShowPath), true);
                    configStore().writeInteger(QLatin1String(cfg::kPreferences),
                                               QLatin1String(cfg::kSingleClick), 1);
                    QTest::keyClick(dialog, Qt::Key_Escape);
                }
            },
            &seen);
        clickMenuItem(f.window->menuBar(), QStringLiteral("&Tools"),
                      QStringLiteral("&Preferences..."));
        QVERIFY(seen);
        QTRY_VERIFY(!QApplication::activeModalWidget());
        QCOMPARE(f.window->playlistModel()->displayText(0), f.filePath("a.wav"));
        QCOMPARE(f.window->playlistModel()->displayText(1), f.filePath("b.wav"));
        QVERIFY(!f.window->playlistModel()->modified());
        QCOMPARE(f.window->lbPlaylist()->selectedRow(), -1);
        QCOMPARE(f.window->clickAction(), 1);
        QVERIFY(f.window->action(CommandId::PlayPlaylist)->isEnabled());
    }

    void aboutOpensTheAddressThroughTheLauncher_data() {
        QTest::addColumn<bool>("handled");
        QTest::newRow("opened") << true;
        QTest::newRow("no handler") << false;
    }
    void aboutOpensTheAddressThroughTheLauncher() {
        QFETCH(bool, handled);
        WindowFixture f;
        f.acceptUrls = handled;
        bool seen = false;
        bool stayedOpen = false;
        whenShown<TfrmHelpAbout>(
            [&stayedOpen](TfrmHelpAbout* box) {
                QTest::mouseClick(box->webAddressLabel(), Qt::LeftButton);
                stayedOpen = box->isVisible();
                // The box has no cancel button: Enter presses OK. It goes to the box itself,
                // since the box may not have taken the focus yet on a busy machine.
                if (stayedOpen)
                    QTest::keyClick(box, Qt::Key_Return);
            },
            &seen);
        clickMenuItem(f.window->menuBar(), QStringLiteral("&Help"), QStringLiteral("&About..."));
        QVERIFY(seen);
        QCOMPARE(f.openedUrls, QList<QUrl>{QUrl(QLatin1String(TfrmHelpAbout::kWebAddress))});
        QCOMPARE(stayedOpen, !handled);
        QCOMPARE(f.prompt.texts(QStringLiteral("failure")).size(), handled ? 0 : 1);
    }

    void windowStateIsStoredAtCloseAndRestoredAtShow() {
        WindowFixture f;
        const QString playlist = f.filePath("list.sxp");
        QFile file(playlist);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();
        f.prompt.fileNames = {playlist};
        QTest::keyClick(f.window, Qt::Key_O, Qt::ControlModifier);
        QCOMPARE(f.window->playlistModel()->currentFile(), playlist);
        QMenu* reopen = namedAction(*f.window, QStringLiteral("miFileReopen"))->menu();
        QCOMPARE(reopen->actions().size(), 1);
        QVERIFY(reopen->actions().first()->text().endsWith(playlist));
        QVERIFY(f.window->close());

        const IniStore& store = f.root->store();
        QCOMPARE(
            store.readString(QStringLiteral("TfrmMain.MRUManager1"), QStringLiteral("Item_0"), {}),
            playlist);
        QVERIFY(!store.keys(QStringLiteral("TfrmMainSpeedBar1")).isEmpty());
        QVERIFY(!store.keys(QStringLiteral("Form")).isEmpty());
        QVERIFY(!store.keys(QStringLiteral("Panels")).isEmpty());

        f.start();
        QVERIFY(QTest::qWaitForWindowExposed(f.window));
        reopen = namedAction(*f.window, QStringLiteral("miFileReopen"))->menu();
        QCOMPARE(reopen->actions().size(), 1);
        QVERIFY(reopen->menuAction()->isEnabled());
    }
};

SONDRIX_TEST_MAIN(TestBindings)
#include "tst_bindings.moc"
