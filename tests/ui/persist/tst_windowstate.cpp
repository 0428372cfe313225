#include "base/inifile.h"
#include "base/inistore.h"
#include "tests/support/fakeprompt.h"
#include "tests/support/plainwindow.h"
#include "tests/support/testenv.h"
#include "ui/persist/inilink.h"
#include "ui/persist/propsstorage.h"

#include <QApplication>
#include <QScreen>
#include <QSplitter>
#include <QWindow>

// The window-state store on a window built by the test, offscreen, against a real file.
class TestWindowState : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    std::unique_ptr<IniStore> m_store;
    FakePrompt m_prompt;
    QMargins m_frame; // what the platform draws around a window

    QRect designedOuter() const { return QRect(417, 109, 504, 371).marginsAdded(m_frame); }

    // The platform delivers a new geometry through the event loop, as it does for a person's drag.
    static void settle() { QTest::qWait(50); }

    QString path() const { return m_dir.filePath(QStringLiteral("Sondrix.ini")); }

    void writeFile(const QByteArray& content) {
        QFile f(path());
        QVERIFY(f.open(QIODevice::WriteOnly));
        QCOMPARE(f.write(content), content.size());
    }

    QList<IniText::Entry> entriesOf(const QString& section) const {
        QFile f(path());
        if (!f.open(QIODevice::ReadOnly))
            return {};
        QList<IniText::Entry> result;
        for (const IniText::Entry& e : IniText(f.readAll()).entries())
            if (e.section == section)
                result.append(e);
        return result;
    }

    QStringList keysOf(const QString& section) const {
        QStringList keys;
        for (const IniText::Entry& e : entriesOf(section))
            keys.append(e.key);
        return keys;
    }

    QString value(const char* section, const QString& key) const {
        return m_store->readString(QLatin1String(section), key, QStringLiteral("<missing>"));
    }

    static QString suffix() {
        const QSize s = QGuiApplication::primaryScreen()->geometry().size();
        return QStringLiteral("(%1x%2)").arg(s.width()).arg(s.height());
    }

    std::unique_ptr<PlainWindow> shownWindow(IniLink* toolbar = nullptr) {
        auto window = std::make_unique<PlainWindow>(*m_store, m_prompt, toolbar);
        window->show();
        if (!QTest::qWaitForWindowExposed(window.get()))
            qFatal("the window was not exposed");
        return window;
    }

    // A run that the user ends with an accepted close.
    void closeRun(std::unique_ptr<PlainWindow> window) {
        QVERIFY(window->close());
        window.reset();
    }

private Q_SLOTS:
    void initTestCase() {
        QWidget probe;
        probe.show();
        QVERIFY(QTest::qWaitForWindowExposed(&probe));
        m_frame = probe.windowHandle()->frameMargins();
        QVERIFY(!m_frame.isNull()); // the margin correction is exercised only with a frame
    }

    void init() {
        QFile::remove(path());
        m_store = std::make_unique<IniStore>(path());
        m_prompt.asked.clear();
    }

    void firstRunKeepsTheDesignedPlacementAndWidths() {
        auto window = shownWindow();
        QCOMPARE(window->geometry(), QRect(417, 109, 504, 371));
        QCOMPARE(window->frameGeometry(), designedOuter());
        QCOMPARE(window->pnlWavs->width(), 313);
        QCOMPARE(window->pnlDirectories->width(), 145);
        QCOMPARE(window->pnlPlaylist->width(), 187);
        QVERIFY(!window->reopen->isEnabled());
        QVERIFY(!QFile::exists(path()));
    }

    void everySectionCarriesThePlacementKeysInOrder() {
        closeRun(shownWindow());
        const QStringList placementKeys = {QStringLiteral("Flags"),
                                           QStringLiteral("ShowCmd"),
                                           QStringLiteral("MinMaxPos") + suffix(),
                                           QStringLiteral("MinMaxPos"),
                                           QStringLiteral("NormPos") + suffix(),
                                           QStringLiteral("NormPos"),
                                           QStringLiteral("Visible")};
        QCOMPARE(keysOf(QStringLiteral("Form")), placementKeys);
        QCOMPARE(keysOf(QStringLiteral("Toolbar")), placementKeys);
        QCOMPARE(keysOf(QStringLiteral("MRU")), placementKeys);
        const QStringList panelKeys = {QStringLiteral("pnlWavs_Width"),
                                       QStringLiteral("pnlDirectories_Width"),
                                       QStringLiteral("pnlPlaylist_Width")};
        QCOMPARE(keysOf(QStringLiteral("Panels")), placementKeys + panelKeys);
        for (const char* section : {"Form", "Panels", "Toolbar", "MRU"}) {
            QCOMPARE(value(section, QStringLiteral("Flags")), QStringLiteral("0"));
            QCOMPARE(value(section, QStringLiteral("ShowCmd")), QStringLiteral("1"));
            QCOMPARE(value(section, QStringLiteral("MinMaxPos")), QStringLiteral("-1,-1,-1,-1"));
            QCOMPARE(value(section, QStringLiteral("NormPos") + suffix()),
                     normPos(designedOuter()));
            QCOMPARE(value(section, QStringLiteral("NormPos")), normPos(designedOuter()));
            QCOMPARE(value(section, QStringLiteral("Visible")), QStringLiteral("0"));
        }
        QCOMPARE(value("Panels", QStringLiteral("pnlWavs_Width")), QStringLiteral("313"));
        QCOMPARE(value("Panels", QStringLiteral("pnlDirectories_Width")), QStringLiteral("145"));
        QCOMPARE(value("Panels", QStringLiteral("pnlPlaylist_Width")), QStringLiteral("187"));
    }

    void placementAndWidthsComeBackAtTheNextRun() {
        auto first = shownWindow();
        first->setGeometry(100, 120, 600, 400);
        first->splitPlayList->setSizes({260, 336});
        first->splitDirectories->setSizes({100, 156});
        QCOMPARE(first->pnlWavs->width(), 260);
        settle();
        const QRect outer = first->frameGeometry();
        closeRun(std::move(first));

        auto second = shownWindow();
        QCOMPARE(second->frameGeometry(), outer);
        QCOMPARE(second->pnlWavs->width(), 260);
        QCOMPARE(second->pnlDirectories->width(), 100);
        QCOMPARE(second->pnlPlaylist->width(), 336);
        closeRun(std::move(second));
        QCOMPARE(value("Form", QStringLiteral("NormPos")), normPos(outer));
    }

    void maximisedAtCloseRestoresMaximisedThenThePreviousNormalRectangle() {
        auto first = shownWindow();
        first->setGeometry(150, 90, 520, 380);
        settle();
        const QRect outer = first->frameGeometry();
        first->showMaximized();
        QTRY_VERIFY(first->isMaximized());
        QTRY_VERIFY(first->frameGeometry() != outer);
        closeRun(std::move(first));
        QCOMPARE(value("Form", QStringLiteral("ShowCmd")), QStringLiteral("3"));
        QCOMPARE(value("Form", QStringLiteral("NormPos")), normPos(outer));

        auto second = shownWindow();
        QTRY_VERIFY(second->isMaximized());
        QTRY_VERIFY(second->frameGeometry() != outer);
        second->showNormal();
        QTRY_COMPARE(second->frameGeometry(), outer);
    }

    void minimisedAtCloseStoresShowCmd2AndTheNextRunMinimisesOnceStarted() {
        auto first = shownWindow();
        first->setGeometry(200, 100, 500, 300);
        settle();
        const QRect outer = first->frameGeometry();
        first->showMinimized();
        QTRY_VERIFY(first->isMinimized());
        closeRun(std::move(first));
        QCOMPARE(value("Form", QStringLiteral("ShowCmd")), QStringLiteral("2"));
        QCOMPARE(value("Form", QStringLiteral("NormPos")), normPos(outer));

        PlainWindow second(*m_store, m_prompt);
        second.show(); // restores normal; the minimise is posted
        QVERIFY(!second.isMinimized());
        QCOMPARE(second.frameGeometry().topLeft(), outer.topLeft());
        QTRY_VERIFY(second.isMinimized());
    }

    void restoresFromTheStoredKeys_data() {
        QTest::addColumn<QByteArray>("form");
        QTest::addColumn<QRect>("geometry");
        const QByteArray screen = suffix().toLatin1();
        QTest::newRow("plain keys only (another screen size)")
            << QByteArray("NormPos=50,60,450,360\nMinMaxPos=-1,-1,-1,-1\n")
            << QRect(50, 60, 400, 300);
        QTest::newRow("this screen's key first")
            << "NormPos" + screen + "=70,80,470,380\nNormPos=50,60,450,360\n"
            << QRect(70, 80, 400, 300);
        QTest::newRow("empty key for this screen falls back to the plain one")
            << "NormPos" + screen + "=\nNormPos=50,60,450,360\n"
            << QRect(50, 60, 400, 300);
        QTest::newRow("any mix of commas and blanks")
            << QByteArray("NormPos= 50 ,,60  450, ,360\n") << QRect(50, 60, 400, 300);
        QTest::newRow("a word that is no number keeps the current value")
            << QByteArray("NormPos=50,abc,450,360\n")
            << QRect(QPoint(50, designedOuter().top()), QPoint(449, 359));
        QTest::newRow("missing numbers keep the current values")
            << QByteArray("NormPos=30,40,430\n")
            << QRect(QPoint(30, 40), QPoint(429, designedOuter().bottom()));
        const QRect available = QGuiApplication::primaryScreen()->availableGeometry();
        QTest::newRow("above and left of the screen is moved onto it")
            << QByteArray("NormPos=-3,-30,507,374\n")
            << QRect(available.topLeft(), QSize(510, 404));
        QTest::newRow("past the screen's far corner is moved onto it")
            << QByteArray("NormPos=5000,4000,5400,4300\n")
            << QRect(available.bottomRight() - QPoint(399, 299), QSize(400, 300));
        QTest::newRow("right not beyond left is not applied")
            << QByteArray("NormPos=450,60,450,360\n") << designedOuter();
        QRect onScreen = designedOuter(); // the offscreen screen may be smaller than the design
        onScreen.moveRight(std::min(onScreen.right(), available.right()));
        onScreen.moveBottom(std::min(onScreen.bottom(), available.bottom()));
        QTest::newRow("only MinMaxPos keeps the current size, on the screen")
            << QByteArray("MinMaxPos=1,2,3,4\n") << onScreen;
    }
    void restoresFromTheStoredKeys() {
        QFETCH(QByteArray, form);
        QFETCH(QRect, geometry);
        writeFile("[Form]\n" + form);
        auto window = shownWindow();
        QCOMPARE(window->frameGeometry(), geometry);
    }

    void showCmdMapsToTheWindowState_data() {
        QTest::addColumn<int>("showCmd");
        QTest::addColumn<bool>("maximised");
        QTest::addColumn<bool>("minimised");
        for (int cmd : {1, 5, 9, 0, 4, 8, 42})
            QTest::addRow("%d normal", cmd) << cmd << false << false;
        QTest::addRow("3 maximised") << 3 << true << false;
        for (int cmd : {2, 6, 7})
            QTest::addRow("%d minimised", cmd) << cmd << false << true;
    }
    void showCmdMapsToTheWindowState() {
        QFETCH(int, showCmd);
        QFETCH(bool, maximised);
        QFETCH(bool, minimised);
        writeFile("[Form]\nShowCmd=" + QByteArray::number(showCmd) + "\n");
        auto window = shownWindow();
        QCOMPARE(window->isMaximized(), maximised);
        QTest::qWait(50); // a minimise is posted to the event loop
        QCOMPARE(window->isMinimized(), minimised);
    }

    void theOuterSizeStaysAtLeast350By200() {
        auto window = shownWindow();
        window->resize(100, 50);
        QTRY_COMPARE(window->frameGeometry().size(), QSize(350, 200));
        // No more than that: one pixel wider is allowed.
        const int frameWidth = m_frame.left() + m_frame.right();
        window->resize(351 - frameWidth, 600);
        QTRY_COMPARE(window->frameGeometry().width(), 351);
    }

    void aStoredWidthThatIsNoNumberGivesZeroAndTheSplitterDragsItBack() {
        writeFile("[Panels]\npnlWavs_Width=abc\n");
        auto window = shownWindow();
        // Set to 0; the splitter keeps it at the smallest width its contents allow.
        QVERIFY(window->pnlWavs->width() <= window->pnlWavs->minimumSizeHint().width());
        QSplitterHandle* handle = window->splitPlayList->handle(1);
        QTRY_VERIFY(handle->isVisible());
        const QPoint grip = handle->rect().center();
        QTest::mousePress(handle, Qt::LeftButton, {}, grip);
        QTest::mouseMove(handle, grip + QPoint(150, 0));
        QTest::mouseRelease(handle, Qt::LeftButton, {}, grip + QPoint(150, 0));
        QTRY_VERIFY(window->pnlWavs->width() >= 100);
    }

    void storedWidthText_data() {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<int>("width");
        QTest::newRow("decimal") << QByteArray("pnlWavs_Width=200") << 200;
        QTest::newRow("blanks around") << QByteArray("pnlWavs_Width=  42  ") << 42;
        QTest::newRow("negative") << QByteArray("pnlWavs_Width=-5") << -5;
        QTest::newRow("not a number") << QByteArray("pnlWavs_Width=abc") << 0;
        QTest::newRow("hexadecimal is no decimal") << QByteArray("pnlWavs_Width=0x10") << 0;
        QTest::newRow("trailing text") << QByteArray("pnlWavs_Width=12px") << 0;
        QTest::newRow("empty") << QByteArray("pnlWavs_Width=") << 0;
        QTest::newRow("missing keeps the current width") << QByteArray("Other=1") << 77;
    }
    void storedWidthText() {
        QFETCH(QByteArray, line);
        QFETCH(int, width);
        writeFile("[Panels]\n" + line + "\n");
        QList<int> set;
        const StoredProperty property{QStringLiteral("pnlWavs"), QStringLiteral("Width"),
                                      [] { return 77; }, [&set](int value) { set.append(value); }};
        PropsStorage(*m_store, QStringLiteral("Panels")).load({property});
        QCOMPARE(set, QList<int>{width});
    }

    void aCancelledCloseWritesNothing() {
        auto window = shownWindow();
        window->allowClose = false;
        QVERIFY(!window->close());
        QVERIFY(window->isVisible());
        QVERIFY(!QFile::exists(path()));
    }

    void destroyedWithoutAcceptedCloseSavesWithVisible1() {
        auto window = shownWindow();
        window->allowClose = false;
        QVERIFY(!window->close());
        window.reset();
        for (const char* section : {"Form", "Panels", "Toolbar", "MRU"})
            QCOMPARE(value(section, QStringLiteral("Visible")), QStringLiteral("1"));
    }

    void aWindowNeverShownWritesNothing() {
        PlainWindow(*m_store, m_prompt).recent.add(QStringLiteral("/lists/a.sxp"));
        QVERIFY(!QFile::exists(path()));
    }

    void aFailedWriteIsReportedOnceAndTheWindowStillCloses() {
        writeFile("[Other]\nKey=1\n");
        QVERIFY(QFile::setPermissions(path(), QFileDevice::ReadOwner));
        auto window = shownWindow();
        QVERIFY(window->close());
        QVERIFY(!window->isVisible());
        window.reset();
        QCOMPARE(m_prompt.texts(QStringLiteral("failure")),
                 QStringList{QStringLiteral("Unable to write to Sondrix.ini.")});
        QVERIFY(QFile::setPermissions(path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner));
    }

    void componentsRestoreAndSaveInTheirOrder() {
        writeFile("[TfrmMain.MRUManager1]\nItem_0=/lists/a.sxp\n[Form]\nNormPos=10,20,610,420\n"
                  "[Panels]\npnlWavs_Width=250\n");
        PlainWindow* window = nullptr;
        QStringList seen;
        CallbackIniLink toolbar(
            [&](IniStore&) {
                // After the recent list, before the placement and the panels.
                seen << window->recent.entries() << QString::number(window->frameGeometry().x())
                     << QString::number(window->pnlWavs->width());
            },
            [&](IniStore& store) {
                // After the panels and the placement, before the recent list's section.
                for (const char* section : {"Panels", "Form", "MRU"})
                    seen << store.readString(QLatin1String(section), QStringLiteral("NormPos"),
                                             QStringLiteral("none"));
                seen << store.readString(QStringLiteral("TfrmMain.MRUManager1"),
                                         QStringLiteral("Item_0"), QStringLiteral("none"));
            });
        auto owned = std::make_unique<PlainWindow>(*m_store, m_prompt, &toolbar);
        window = owned.get();
        owned->show();
        QVERIFY(QTest::qWaitForWindowExposed(window));
        QCOMPARE(seen, (QStringList{QStringLiteral("/lists/a.sxp"),
                                    QString::number(designedOuter().x()), QStringLiteral("313")}));
        QCOMPARE(window->frameGeometry().x(), 10);
        QCOMPARE(window->pnlWavs->width(), 250);
        seen.clear();
        window->recent.add(QStringLiteral("/lists/b.sxp"));
        closeRun(std::move(owned));
        QCOMPARE(seen,
                 (QStringList{QStringLiteral("10,20,610,420"), QStringLiteral("10,20,610,420"),
                              QStringLiteral("none"), QStringLiteral("/lists/a.sxp")}));
        QCOMPARE(value("TfrmMain.MRUManager1", QStringLiteral("Item_0")),
                 QStringLiteral("/lists/b.sxp"));
        QCOMPARE(value("MRU", QStringLiteral("NormPos")), QStringLiteral("10,20,610,420"));
    }
};

SONDRIX_TEST_MAIN(TestWindowState)

#include "tst_windowstate.moc"
