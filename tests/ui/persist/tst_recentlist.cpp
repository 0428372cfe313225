#include "base/inifile.h"
#include "base/inistore.h"
#include "tests/support/fakeprompt.h"
#include "tests/support/plainwindow.h"
#include "tests/support/testenv.h"
#include "ui/persist/recentmenu.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>

// The recent playlists: the list, its section in the configuration file and the Reopen submenu.
class TestRecentList : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    std::unique_ptr<IniStore> m_store;
    FakePrompt m_prompt;

    QString path() const { return m_dir.filePath(QStringLiteral("Sondrix.ini")); }

    void writeFile(const QByteArray& content) {
        QFile f(path());
        QVERIFY(f.open(QIODevice::WriteOnly));
        QCOMPARE(f.write(content), content.size());
    }

    QByteArray fileBytes() const {
        QFile f(path());
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    static QStringList captions(const QAction* reopen) {
        QStringList result;
        for (const QAction* a : reopen->menu()->actions())
            result.append(a->text());
        return result;
    }

    static QString list(int n) { return QStringLiteral("/lists/p%1.sxp").arg(n); }

    // Opens a menu of the menu bar with a click, as a person does.
    static QMenu* openMenu(QMenuBar* bar, QMenu* menu) {
        QTest::mouseClick(bar, Qt::LeftButton, {},
                          bar->actionGeometry(menu->menuAction()).center());
        if (!QTest::qWaitForWindowExposed(menu))
            return nullptr;
        return menu;
    }

private Q_SLOTS:
    void init() {
        QFile::remove(path());
        m_store = std::make_unique<IniStore>(path());
    }

    void elevenPlaylistsLeaveTheTenNewestAndTheTenthIsCaptionedA() {
        PlainWindow window(*m_store, m_prompt);
        for (int n = 1; n <= 11; ++n)
            window.recent.add(list(n));
        QCOMPARE(window.recent.entries().size(), 10);
        QCOMPARE(window.recent.entries().first(), list(11));
        QCOMPARE(window.recent.entries().last(), list(2));
        const QStringList shown = captions(window.reopen);
        QCOMPARE(shown.size(), 10);
        QCOMPARE(shown.first(), QStringLiteral("&1\t") + list(11));
        QCOMPARE(shown[8], QStringLiteral("&9\t") + list(3));
        QCOMPARE(shown.last(), QStringLiteral("&A\t") + list(2));
        QVERIFY(window.reopen->isEnabled());
    }

    void addingAListedPathMovesItToTheTopAndRebuilds() {
        PlainWindow window(*m_store, m_prompt);
        for (int n = 1; n <= 3; ++n)
            window.recent.add(list(n));
        const QList<QAction*> before = window.reopen->menu()->actions();
        window.recent.add(list(3)); // already first: same order, new entries
        QCOMPARE(captions(window.reopen).first(), QStringLiteral("&1\t") + list(3));
        QVERIFY(window.reopen->menu()->actions().first() != before.first());
        window.recent.add(list(1));
        QCOMPARE(window.recent.entries(), (QStringList{list(1), list(3), list(2)}));
        QCOMPARE(captions(window.reopen),
                 (QStringList{QStringLiteral("&1\t") + list(1), QStringLiteral("&2\t") + list(3),
                              QStringLiteral("&3\t") + list(2)}));
    }

    void pathsThatDifferInCaseAreTwoEntries() {
        RecentList recent;
        recent.add(QStringLiteral("/lists/a.sxp"));
        recent.add(QStringLiteral("/lists/A.sxp"));
        QCOMPARE(recent.entries(),
                 (QStringList{QStringLiteral("/lists/A.sxp"), QStringLiteral("/lists/a.sxp")}));
    }

    void loadsFromTheSection_data() {
        QTest::addColumn<QByteArray>("section");
        QTest::addColumn<QStringList>("entries");
        QTest::newRow("Item_0 and Item_5")
            << QByteArray("Item_0=/a.sxp\nItem_5=/b.sxp\n") << QStringList{"/a.sxp", "/b.sxp"};
        QTest::newRow("stored order, keys in any order")
            << QByteArray("Item_2=/c.sxp\nItem_0=/a.sxp\nItem_1=/b.sxp\n")
            << QStringList{"/a.sxp", "/b.sxp", "/c.sxp"};
        QTest::newRow("a duplicate stays at its lowest key")
            << QByteArray("Item_0=/a.sxp\nItem_1=/b.sxp\nItem_2=/a.sxp\n")
            << QStringList{"/a.sxp", "/b.sxp"};
        QTest::newRow("empty values are skipped")
            << QByteArray("Item_0=\nItem_1=/b.sxp\n") << QStringList{"/b.sxp"};
        QTest::newRow("keys beyond Item_9 are ignored")
            << QByteArray("Item_9=/j.sxp\nItem_10=/k.sxp\n") << QStringList{"/j.sxp"};
        QTest::newRow("no section") << QByteArray() << QStringList();
    }
    void loadsFromTheSection() {
        QFETCH(QByteArray, section);
        QFETCH(QStringList, entries);
        writeFile("[TfrmMain.MRUManager1]\n" + section);
        RecentList recent;
        recent.add(QStringLiteral("/before.sxp")); // loading starts from an empty list
        recent.load(*m_store);
        QCOMPARE(recent.entries(), entries);
    }

    void saveErasesTheSectionAndRewritesItFromItem0() {
        writeFile("[TfrmMain.MRUManager1]\nItem_0=/a.sxp\nItem_5=/b.sxp\n[Other]\nKey=1\n");
        RecentList recent;
        recent.load(*m_store);
        recent.save(*m_store);
        QCOMPARE(
            fileBytes(),
            QByteArray("[Other]\nKey=1\n\n[TfrmMain.MRUManager1]\nItem_0=/a.sxp\nItem_1=/b.sxp\n"));
    }

    void anEmptyListLeavesNoSection() {
        writeFile("[TfrmMain.MRUManager1]\nItem_0=\n[Other]\nKey=1\n");
        RecentList recent;
        recent.load(*m_store);
        recent.save(*m_store);
        QCOMPARE(fileBytes(), QByteArray("[Other]\nKey=1\n"));
    }

    void noStoredSectionLeavesReopenDisabled() {
        PlainWindow window(*m_store, m_prompt);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QVERIFY(window.recent.entries().isEmpty());
        QVERIFY(!window.reopen->isEnabled());
        window.recent.add(list(1));
        QVERIFY(window.reopen->isEnabled());
    }

    void aStoredListFillsReopenAtTheFirstShow() {
        writeFile("[TfrmMain.MRUManager1]\nItem_0=/lists/b.sxp\nItem_1=/lists/a.sxp\n");
        PlainWindow window(*m_store, m_prompt);
        QVERIFY(!window.reopen->isEnabled());
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QVERIFY(window.reopen->isEnabled());
        QCOMPARE(captions(window.reopen), (QStringList{QStringLiteral("&1\t/lists/b.sxp"),
                                                       QStringLiteral("&2\t/lists/a.sxp")}));
    }

    void captionAndHintSplitAtTheFirstBar_data() {
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("hint");
        QTest::newRow("no bar") << 0 << "/a b/x.sxp"
                                << "&1\t/a b/x.sxp"
                                << "/a b/x.sxp";
        QTest::newRow("one bar") << 1 << "/x/a|b.sxp"
                                 << "&2\t/x/a"
                                 << "b.sxp";
        QTest::newRow("two bars") << 8 << "/x/a|b|c.sxp"
                                  << "&9\t/x/a"
                                  << "b|c.sxp";
        QTest::newRow("tenth") << 9 << "/x/j.sxp"
                               << "&A\t/x/j.sxp"
                               << "/x/j.sxp";
    }
    void captionAndHintSplitAtTheFirstBar() {
        QFETCH(int, index);
        QFETCH(QString, path);
        QFETCH(QString, caption);
        QFETCH(QString, hint);
        QCOMPARE(RecentMenu::caption(index, path), caption);
        QCOMPARE(RecentMenu::hint(path), hint);
    }

    void aClickOnAReopenEntryReopensItAndMovesItToTheTop() {
        PlainWindow window(*m_store, m_prompt);
        window.show(); // loads the stored list, here none
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        for (int n = 1; n <= 3; ++n)
            window.recent.add(list(n));
        QVERIFY(openMenu(window.menuBar(), window.fileMenu));
        QMenu* reopen = window.reopen->menu();
        // The arrow keys go to Reopen, Right opens it.
        for (int i = 0; i < 2 && window.fileMenu->activeAction() != window.reopen; ++i)
            QTest::keyClick(window.fileMenu, Qt::Key_Down);
        QCOMPARE(window.fileMenu->activeAction(), window.reopen);
        QTest::keyClick(window.fileMenu, Qt::Key_Right);
        QTRY_VERIFY(reopen->isVisible());
        QAction* third = reopen->actions().at(2);
        QCOMPARE(third->text(), QStringLiteral("&3\t") + list(1));
        QTest::mouseMove(reopen, reopen->actionGeometry(third).center());
        QTRY_COMPARE(window.statusTips.isEmpty() ? QString() : window.statusTips.last(), list(1));
        const QStringList before = captions(window.reopen);
        QTest::mouseClick(reopen, Qt::LeftButton, {}, reopen->actionGeometry(third).center());
        QCOMPARE(window.reopened, QStringList{list(1)});
        // The menu still holds the clicked entry while its click is handled; it is rebuilt after.
        QCOMPARE(window.menuAfterReopen, before);
        QTRY_COMPARE(captions(window.reopen).first(), QStringLiteral("&1\t") + list(1));
        QCOMPARE(window.recent.entries(), (QStringList{list(1), list(3), list(2)}));
        QVERIFY(!reopen->isVisible());
    }
};

SONDRIX_TEST_MAIN(TestRecentList)

#include "tst_recentlist.moc"
