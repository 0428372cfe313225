#include "base/configkeys.h"
#include "base/errorboundary.h"
#include "base/inistore.h"
#include "tests/support/testenv.h"
#include "tests/support/wavfiles.h"
#include "tests/ui/main/windowfixture.h"
#include "ui/browse/browser.h"
#include "ui/browse/listbox.h"
#include "ui/main/progressbar.h"
#include "ui/toolbar/speedbar.h"

#include <QAction>
#include <QDir>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QScopeGuard>
#include <QScreen>
#include <QSplitter>
#include <QStatusTipEvent>
#include <QToolButton>

#include <sys/inotify.h>
#include <sys/stat.h>
#include <unistd.h>

class TestMainWindow : public QObject {
    Q_OBJECT

    static QByteArray configText() {
        QFile f(IniStore::sharedFilePath());
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

private Q_SLOTS:
    void cleanup() { resetConfiguration(); }

    void firstRunShowsDesignedWindow() {
        WindowFixture f;
        TfrmMain& w = *f.window;
        QCOMPARE(w.windowTitle(), QStringLiteral("Sondrix"));
        QCOMPARE(w.size(), QSize(504, 371));
        QStringList onBar;
        for (const SpeedItem& item : w.speedBar()->layout().items)
            if (item.visible)
                onBar.append(
                    QStringLiteral("%1@%2,%3").arg(item.name).arg(item.left).arg(item.top));
        QCOMPARE(onBar, (QStringList{"sbNew@3,3", "sbOpen@27,3", "sbSave@51,3", "sbCopy@83,3",
                                     "sbMove@107,3", "sbRename@131,3", "sbDelete@155,3",
                                     "sbEdit@179,3", "sbShowPlaylist@211,3"}));
        QCOMPARE(w.speedBar()->button(QStringLiteral("sbOpen"))->pos(), QPoint(27, 3));
        QCOMPARE(w.speedBar()->button(QStringLiteral("sbOpen"))->size(), QSize(24, 23));
        QCOMPARE(w.speedBar()->height(), 29);
        QVERIFY(w.speedBar()->isVisible());
        QVERIFY(w.action(CommandId::ViewToolbar)->isChecked());
        QVERIFY(w.action(CommandId::ShowPlaylist)->isChecked());
        QVERIFY(w.speedBar()->button(QStringLiteral("sbShowPlaylist"))->isChecked());
        QVERIFY(w.playlistPanel()->isVisible());
        QCOMPARE(w.wavsPanel()->width(), 313);
        QCOMPARE(w.browser()->browserDirectory(), f.folder.path());
        QCOMPARE(w.focusWidget(), w.lbWavs());
        QCOMPARE(w.clickAction(), 0);
    }

    // Any number in any numeric key of a hand-edited Sondrix.ini: the program starts and closes,
    // its window no larger than the screen and no panel wider.
    void hostileNumbersStartAWindowWithinTheScreen_data() {
        QTest::addColumn<QByteArray>("content");
        QTest::newRow("larger than the screen")
            << QByteArray("[Form]\nNormPos=0,0,4000,3000\n[Panels]\npnlWavs_Width=4000\n"
                          "pnlPlaylist_Width=4000\n");
        QTest::newRow("extremes") << QByteArray(
            "[Preferences]\n"
            "SingleClick=-2147483648\n"
            "ConfirmDelete=2147483647\n"
            "ShowPath=-2147483648\n"
            "AutoPlaylist=2147483647\n"
            "[Speedbar]\n"
            "Visible=-2147483648\n"
            "[Playlist]\n"
            "Visible=2147483647\n"
            "[Form]\n"
            "Flags=-2147483648\n"
            "ShowCmd=2147483647\n"
            "MinMaxPos=-2147483648,-2147483648,2147483647,2147483647\n"
            "NormPos=-2147483648,-2147483648,2147483647,2147483647\n"
            "Visible=-2147483648\n"
            "[Panels]\n"
            "pnlWavs_Width=-2147483648\n"
            "pnlDirectories_Width=2147483647\n"
            "pnlPlaylist_Width=2147483647\n"
            "[TfrmMainSpeedBar1]\n"
            "Position=-2147483648\n"
            "Width=2147483647\n"
            "Version=2147483647\n"
            "BtnWidth=-2147483648\n"
            "BtnHeight=-2147483648\n"
            "Count=2147483647\n"
            "Button1=sbOpen,2147483647,2147483647\n"
            "Button2=sbSave,-2147483648,-2147483648\n"
            "Button2147483647=sbNew,2147483647,-2147483648\n");
    }
    void hostileNumbersStartAWindowWithinTheScreen() {
        QFETCH(QByteArray, content);
        resetConfigurationKeepingText(content);
        WindowFixture f;
        TfrmMain& w = *f.window;
        const QRect available = w.screen()->availableGeometry();
        QVERIFY(w.frameGeometry().width() <= available.width());
        QVERIFY(w.frameGeometry().height() <= available.height());
        for (const QWidget* panel : {w.wavsPanel(), w.directoriesPanel(), w.playlistPanel()})
            QVERIFY2(panel->width() <= available.width(), qPrintable(panel->objectName()));
        QVERIFY(w.close());
    }

    void aCloseThatCannotWriteTheFileReportsOnce() {
        WindowFixture f;
        const QByteArray path = QFile::encodeName(IniStore::sharedFilePath());
        QVERIFY(QFile::remove(IniStore::sharedFilePath()));
        QCOMPARE(::mkfifo(path.constData(), 0600), 0);
        QVERIFY(f.window->close());
        QCOMPARE(f.prompt.texts(QStringLiteral("failure")),
                 QStringList{QStringLiteral("Unable to write to Sondrix.ini.")});
    }

    void aCloseReadsAndReplacesTheFileOnce() {
        WindowFixture f;
        const QFileInfo file(IniStore::sharedFilePath());
        const int watch = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
        QVERIFY(::inotify_add_watch(watch, QFile::encodeName(file.absolutePath()).constData(),
                                    IN_OPEN | IN_MOVED_TO) >= 0);
        QVERIFY(f.window->close());
        alignas(inotify_event) char events[64 * 1024];
        const ssize_t length = ::read(watch, events, sizeof events);
        ::close(watch);
        int opens = 0, replacements = 0;
        for (ssize_t at = 0; at < length;) {
            const auto* event = reinterpret_cast<const inotify_event*>(events + at);
            if (event->len && file.fileName() == QLatin1String(event->name))
                (event->mask & IN_OPEN ? opens : replacements) += 1;
            at += ssize_t(sizeof(inotify_event) + event->len);
        }
        QCOMPARE(replacements, 1);
        QCOMPARE(opens, 1);
    }

    void menusCarryTheirCaptionsAndShortcuts() {
        WindowFixture f;
        QStringList menus;
        for (QAction* a : f.window->menuBar()->actions())
            menus.append(a->text());
        QCOMPARE(menus, (QStringList{"&File", "&Edit", "&Controls", "&Playlist", "&View", "&Tools",
                                     "&Help"}));
        QCOMPARE(f.window->action(CommandId::FileSaveAs)->text(), QStringLiteral("Save &As..."));
        QCOMPARE(f.window->action(CommandId::FileNew)->shortcut(),
                 QKeySequence(QStringLiteral("Ctrl+Ins")));
        QCOMPARE(f.window->action(CommandId::Delete)->shortcut(),
                 QKeySequence(QStringLiteral("Ctrl+Del")));
        QCOMPARE(f.window->action(CommandId::Rename)->shortcut(), QKeySequence(Qt::Key_F2));
        QStringList wavPopup;
        for (QAction* a : f.window->popupMenu(PopupMenu::WavList)->actions())
            wavPopup.append(a->isSeparator() ? QStringLiteral("-") : a->objectName());
        QCOMPARE(wavPopup, (QStringList{"pmiPlay0", "pmiLoop0", "pmiStop0", "-", "pmiAddToPlaylist",
                                        "pmiAddAll", "-", "pmiCopy0", "pmiMove0", "pmiRename0",
                                        "pmiEdit0", "-", "pmiDelete0"}));
        QVERIFY(!namedAction(*f.window, QStringLiteral("miFileReopen"))->isEnabled());
    }

    void hidingAndShowingThePlaylistRestoresTheWidth() {
        WindowFixture f;
        TfrmMain& w = *f.window;
        // The browser half wider than the window's minimum width (350 outer), which a hidden
        // playlist would otherwise leave the window at.
        w.resize(760, 371);
        QTRY_COMPARE(w.width(), 760);
        auto* split = w.findChild<QSplitter*>(QStringLiteral("splitPlayList"));
        QVERIFY(split);
        split->setSizes({400, 356});
        QTRY_COMPARE(w.wavsPanel()->width(), 400);
        const int wavs = w.wavsPanel()->width();
        w.togglePlaylist();
        QTRY_COMPARE(w.width(), wavs);
        QVERIFY(!w.playlistPanel()->isVisible());
        QVERIFY(!w.action(CommandId::ShowPlaylist)->isChecked());
        QVERIFY(!w.speedBar()->button(QStringLiteral("sbShowPlaylist"))->isChecked());
        QTRY_COMPARE(w.wavsPanel()->width(), wavs); // fills the window
        w.togglePlaylist();
        QTRY_COMPARE(w.width(), 760);
        QCOMPARE(w.wavsPanel()->width(), wavs);
        QVERIFY(w.action(CommandId::ShowPlaylist)->isChecked());
    }

    void toolbarToggleAndHints() {
        WindowFixture f;
        TfrmMain& w = *f.window;
        w.toggleToolbar();
        QVERIFY(!w.speedBar()->isVisible());
        QVERIFY(!w.action(CommandId::ViewToolbar)->isChecked());
        w.toggleToolbar();
        QVERIFY(w.speedBar()->isVisible());

        QToolButton* open = w.speedBar()->button(QStringLiteral("sbOpen"));
        QCOMPARE(open->toolTip(), QStringLiteral("Open"));
        QStatusTipEvent enter(open->statusTip());
        QApplication::sendEvent(open, &enter); // what hovering the button sends
        QCOMPARE(w.statusPanel(0)->text(), QStringLiteral("Open a playlist."));
        QStatusTipEvent leave{QString()};
        QApplication::sendEvent(open, &leave);
        QCOMPARE(w.statusPanel(0)->text(), QString());
    }

    void statusPanelFollowsWindowWidth() {
        WindowFixture f;
        f.window->resize(600, 300);
        QTRY_COMPARE(f.window->statusPanel(0)->width(), f.window->frameGeometry().width() - 100);
    }

    // `sondrix PATH`: a folder is shown; a file is selected in its folder and does not play.
    void startsAtTheFolderOrFileNamedOnTheCommandLine() {
        WindowFixture f;
        QVERIFY(QDir(f.folder.path()).mkdir(QStringLiteral("takes")));
        const QString takes = f.filePath(QStringLiteral("takes"));
        for (const char* name : {"a.wav", "b.wav", "c.wav"})
            QVERIFY(writeTone(takes + QLatin1Char('/') + QLatin1String(name)));
        f.openPath = takes;
        f.start();
        QCOMPARE(f.window->browser()->browserDirectory(), takes);
        QCOMPARE(f.window->lbWavs()->selectedRow(), -1);

        f.openPath = takes + QStringLiteral("/b.wav");
        f.start();
        QCOMPARE(f.window->browser()->browserDirectory(), takes);
        QCOMPARE(f.window->browser()->selectedWav(), QStringLiteral("b.wav"));
        QVERIFY(!f.window->playback()->player().isOpen());
        QVERIFY(isControlEnabled(*f.window, QStringLiteral("miEditCopy")));
        QVERIFY(isControlEnabled(*f.window, QStringLiteral("sbEdit")));
    }

    void closingWritesSettingsInOrder() {
        QByteArray text;
        {
            WindowFixture f;
            f.window->toggleToolbar();
            f.window->togglePlaylist();
            f.window->exitProgram();
            QVERIFY(!f.window->isVisible());
            text = configText();
            const qsizetype speedbar = text.indexOf("[Speedbar]\nVisible=0");
            const qsizetype startup = text.indexOf("Startup=" + f.folder.path().toUtf8());
            const qsizetype playlist = text.indexOf("[Playlist]\nVisible=0");
            QVERIFY2(speedbar >= 0 && startup >= 0 && playlist > speedbar, text.constData());
        }
        resetConfigurationKeepingText(text); // the next run starts with both hidden
        WindowFixture again;
        QVERIFY(!again.window->speedBar()->isVisible());
        QVERIFY(!again.window->action(CommandId::ViewToolbar)->isChecked());
        QVERIFY(!again.window->playlistPanel()->isVisible());
        QVERIFY(!again.window->action(CommandId::ShowPlaylist)->isChecked());
        QVERIFY(!again.window->speedBar()->button(QStringLiteral("sbShowPlaylist"))->isChecked());
    }

    void f1AsksForTheContextOfTheFocusedControl() {
        WindowFixture f;
        for (QWidget* control : {static_cast<QWidget*>(f.window->lbWavs()),
                                 static_cast<QWidget*>(f.window->lbPlaylist())}) {
            control->setFocus();
            QTest::keyClick(control, Qt::Key_F1);
            QCOMPARE(f.help.lastContext(), 1);
        }
        QCOMPARE(f.help.requests(), 2);
        f.window->action(CommandId::HelpContents)->trigger();
        QCOMPARE(f.help.lastContext(), 0);
    }

    // Each window reports its failures through the prompt it was given, not through one the
    // whole process shares.
    void failuresGoToTheWindowsOwnPrompt() {
        const QString config = IniStore::sharedFilePath();
        const auto restore = qScopeGuard([config] { QDir().rmdir(config); });
        WindowFixture first;
        WindowFixture second;
        QVERIFY(QFile::remove(config));
        QVERIFY(QDir().mkdir(config));  // a folder in its place: every write fails
        QVERIFY(first.window->close()); // a failed write never keeps the window open
        const QStringList failures = first.prompt.texts(QStringLiteral("failure"));
        QVERIFY(!failures.isEmpty());
        for (const QString& text : failures)
            QCOMPARE(text, QStringLiteral("Unable to write to Sondrix.ini."));
        QVERIFY(second.prompt.asked.isEmpty());
    }

    void failureIsReportedWithFullStop_data() {
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("shown");
        QTest::newRow("letter") << "Unable to write to Sondrix.ini"
                                << "Unable to write to Sondrix.ini.";
        QTest::newRow("full stop") << "Done."
                                   << "Done.";
        QTest::newRow("bracket sorts before the full stop") << "(x)"
                                                            << "(x)";
        QTest::newRow("empty") << ""
                               << "";
    }
    void failureIsReportedWithFullStop() {
        QFETCH(QString, message);
        QFETCH(QString, shown);
        QCOMPARE(errorboundary::reportText(message), shown);
    }

private:
    static void resetConfigurationKeepingText(const QByteArray& text) {
        QVERIFY(QDir().mkpath(QFileInfo(IniStore::sharedFilePath()).absolutePath()));
        QFile f(IniStore::sharedFilePath());
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(text);
    }
};

SONDRIX_TEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
