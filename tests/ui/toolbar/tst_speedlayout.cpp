#include "base/inistore.h"
#include "tests/support/testenv.h"
#include "ui/main/commandtable.h"
#include "ui/toolbar/speedgrid.h"
#include "ui/toolbar/speedlayoutstore.h"

#include <QApplication>

namespace {

const QString kSection = QStringLiteral("TfrmMainSpeedBar1");

QStringList shownItems(const SpeedBarLayout& layout) {
    QStringList shown;
    for (const SpeedItem& item : layout.items)
        if (item.visible)
            shown.append(QStringLiteral("%1,%2,%3").arg(item.name).arg(item.left).arg(item.top));
    return shown;
}

const QStringList kDesignedShown = {"sbNew,3,3",      "sbOpen,27,3",  "sbSave,51,3",
                                    "sbCopy,83,3",    "sbMove,107,3", "sbRename,131,3",
                                    "sbDelete,155,3", "sbEdit,179,3", "sbShowPlaylist,211,3"};

} // namespace

// The toolbar's grid, drops, turning and stored layout, without a window.
class TestSpeedLayout : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    QString path() const { return m_dir.filePath(QStringLiteral("Sondrix.ini")); }
    void writeFile(const QByteArray& content) {
        QFile f(path());
        QVERIFY(f.open(QIODevice::WriteOnly));
        QVERIFY(f.write(content) == content.size());
    }
    QByteArray readFile() const {
        QFile f(path());
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("(no file)");
    }
    // The designed layout after reading the given file.
    SpeedBarLayout readBack(const QByteArray& content) {
        writeFile(content);
        SpeedBarLayout layout = firstRunToolbar();
        ReadLayout(layout, IniStore(path()), kSection);
        return layout;
    }

private Q_SLOTS:
    void init() { QFile::remove(path()); }

    void designedLayoutIsShownAsDesigned() {
        const SpeedBarLayout layout = firstRunToolbar();
        QCOMPARE(shownItems(layout), kDesignedShown);
        QCOMPARE(layout.items.size(), 19);
        QCOMPARE(layout.thickness(), 29);
    }

    void stepAlongTheBar_data() {
        QTest::addColumn<int>("length");
        QTest::addColumn<int>("step");
        QTest::newRow("24") << 24 << 8;
        QTest::newRow("23, prime") << 23 << 1;
        QTest::newRow("16") << 16 << 8;
        QTest::newRow("10") << 10 << 5;
        QTest::newRow("9") << 9 << 3;
        QTest::newRow("7 reaches itself") << 7 << 1;
        QTest::newRow("25 reaches itself, then down") << 25 << 5;
        QTest::newRow("2") << 2 << 1;
        QTest::newRow("1") << 1 << 1;
    }
    void stepAlongTheBar() {
        QFETCH(int, length);
        QTEST(speedgrid::stepAlong(length), "step");
    }

    void stepsFollowTheOrientation() {
        SpeedBarLayout layout = firstRunToolbar();
        QCOMPARE(speedgrid::stepX(layout), 8);
        QCOMPARE(speedgrid::stepY(layout), 23);
        speedgrid::setAlign(SpeedBarAlign::Right, layout);
        QCOMPARE(speedgrid::stepX(layout), 23);
        QCOMPARE(speedgrid::stepY(layout), 8);
    }

    void snapToTheGrid_data() {
        QTest::addColumn<bool>("vertical");
        QTest::addColumn<QPoint>("corner");
        QTest::addColumn<QPoint>("snapped");
        QTest::newRow("3 right goes back") << false << QPoint(30, 3) << QPoint(27, 3);
        QTest::newRow("5 right goes next") << false << QPoint(32, 3) << QPoint(35, 3);
        QTest::newRow("half at 7 goes to even 3") << false << QPoint(7, 3) << QPoint(3, 3);
        QTest::newRow("half at 15 goes to even 19") << false << QPoint(15, 3) << QPoint(19, 3);
        QTest::newRow("row the top falls in") << false << QPoint(27, 25) << QPoint(27, 3);
        QTest::newRow("next row") << false << QPoint(27, 26) << QPoint(27, 26);
        QTest::newRow("left of the offset") << false << QPoint(-2, 3) << QPoint(-5, 3);
        QTest::newRow("vertical: column truncated") << true << QPoint(25, 30) << QPoint(3, 27);
        QTest::newRow("vertical: half at 15 down") << true << QPoint(3, 15) << QPoint(3, 19);
        QTest::newRow("vertical: 5 down") << true << QPoint(3, 32) << QPoint(3, 35);
    }
    void snapToTheGrid() {
        QFETCH(bool, vertical);
        QFETCH(QPoint, corner);
        SpeedBarLayout layout = firstRunToolbar();
        if (vertical)
            speedgrid::setAlign(SpeedBarAlign::Left, layout);
        QTEST(speedgrid::snap(layout, corner), "snapped");
    }

    void droppedButtonInsideIsShownInFront() {
        SpeedBarLayout layout = firstRunToolbar();
        SpeedItem* play = layout.find(QStringLiteral("sbPlay"));
        QVERIFY(play && !play->visible);
        layout.zOrder = {QStringLiteral("sbPlay"), QStringLiteral("sbNew")};
        QVERIFY(speedgrid::PlaceDroppedButton(layout, *play, QPoint(30, 4), QRect(0, 0, 400, 29)));
        QVERIFY(play->visible);
        QCOMPARE(QPoint(play->left, play->top), QPoint(27, 3));
        QCOMPARE(layout.zOrder, QStringList({"sbNew", "sbPlay"}));
    }

    void droppedButtonOutsideIsHiddenBehind() {
        SpeedBarLayout layout = firstRunToolbar();
        SpeedItem* open = layout.find(QStringLiteral("sbOpen"));
        layout.zOrder = {QStringLiteral("sbNew"), QStringLiteral("sbOpen")};
        QVERIFY(
            !speedgrid::PlaceDroppedButton(layout, *open, QPoint(27, 52), QRect(0, 0, 400, 29)));
        QVERIFY(!open->visible);
        QCOMPARE(QPoint(open->left, open->top), QPoint(27, 49));
        QCOMPARE(layout.zOrder, QStringList({"sbOpen", "sbNew"}));
    }

    void itemOutsideTheSectionsIsNotPlaced() {
        SpeedBarLayout layout = firstRunToolbar();
        SpeedItem* play = layout.find(QStringLiteral("sbPlay"));
        play->section = QStringLiteral("Nowhere");
        QVERIFY(!speedgrid::PlaceDroppedButton(layout, *play, QPoint(30, 3), QRect(0, 0, 400, 29)));
        QCOMPARE(QPoint(play->left, play->top), QPoint(0, 3));
        QVERIFY(!play->visible);
    }

    void turningTransposesTheButtons() {
        SpeedBarLayout layout = firstRunToolbar();
        speedgrid::setAlign(SpeedBarAlign::Bottom, layout);
        QCOMPARE(shownItems(layout), kDesignedShown);
        speedgrid::setAlign(SpeedBarAlign::Left, layout);
        QCOMPARE(layout.buttonWidth, 23);
        QCOMPARE(layout.buttonHeight, 24);
        QCOMPARE(layout.thickness(), 29);
        const SpeedItem* open = layout.find(QStringLiteral("sbOpen"));
        QCOMPARE(QPoint(open->left, open->top), QPoint(3, 27));
        speedgrid::setAlign(SpeedBarAlign::Right, layout);
        QCOMPARE(QPoint(open->left, open->top), QPoint(3, 27));
        speedgrid::setAlign(SpeedBarAlign::Top, layout);
        QCOMPARE(shownItems(layout), kDesignedShown);
    }

    void dockZones_data() {
        QTest::addColumn<QPoint>("point");
        QTest::addColumn<int>("zone");
        const int top = 1, bottom = 2, left = 3, right = 4;
        // A 400 x 200 client area: the diagonals run from corner to corner.
        QTest::newRow("top middle") << QPoint(200, 10) << top;
        QTest::newRow("bottom middle") << QPoint(200, 190) << bottom;
        QTest::newRow("left middle") << QPoint(10, 100) << left;
        QTest::newRow("right middle") << QPoint(390, 100) << right;
        QTest::newRow("on the falling diagonal, upper half") << QPoint(100, 50) << top;
        QTest::newRow("on the rising diagonal, upper half") << QPoint(300, 50) << right;
        QTest::newRow("on the rising diagonal, lower half") << QPoint(100, 150) << bottom;
        QTest::newRow("centre") << QPoint(200, 100) << right;
        QTest::newRow("top left corner") << QPoint(0, 0) << top;
    }
    void dockZones() {
        QFETCH(QPoint, point);
        QTEST(static_cast<int>(speedgrid::dockZone(point, QSize(400, 200))), "zone");
    }

    void dockStrips() {
        const QSize client(400, 200);
        QCOMPARE(speedgrid::dockStrip(SpeedBarAlign::Top, client, 29), QRect(0, 0, 400, 29));
        QCOMPARE(speedgrid::dockStrip(SpeedBarAlign::Bottom, client, 29), QRect(0, 171, 400, 29));
        QCOMPARE(speedgrid::dockStrip(SpeedBarAlign::Left, client, 29), QRect(0, 0, 29, 200));
        QCOMPARE(speedgrid::dockStrip(SpeedBarAlign::Right, client, 29), QRect(371, 0, 29, 200));
    }

    void designedLayoutIsWrittenKeyForKey() {
        writeFile("[Toolbar]\nKept=1\n[TfrmMainSpeedBar1]\nStale=1\nButton10=sbPlay,3,3\n");
        IniStore store(path());
        WriteLayout(firstRunToolbar(), store, kSection);
        QCOMPARE(readFile(), QByteArray("[Toolbar]\nKept=1\n\n[TfrmMainSpeedBar1]\n"
                                        "Position=1\nWidth=29\nVersion=0\nBtnWidth=24\n"
                                        "BtnHeight=23\nButton1=sbNew,3,3\nButton2=sbOpen,27,3\n"
                                        "Button3=sbSave,51,3\nButton4=sbCopy,83,3\n"
                                        "Button5=sbMove,107,3\nButton6=sbRename,131,3\n"
                                        "Button7=sbDelete,155,3\nButton8=sbEdit,179,3\n"
                                        "Button9=sbShowPlaylist,211,3\nCount=9\n"));
    }

    void itemsAreWrittenSectionBySectionAndOnlyWhenStored() {
        SpeedBarLayout layout = firstRunToolbar();
        layout.find(QStringLiteral("sbPlay"))->visible = true;  // Controls
        layout.find(QStringLiteral("sbClear"))->visible = true; // Playlist
        layout.find(QStringLiteral("sbEdit"))->stored = false;  // Edit
        std::swap(layout.sections[0], layout.sections[4]);      // View before File
        IniStore store(path());
        WriteLayout(layout, store, kSection);
        QStringList buttons;
        for (int n = 1; n <= store.readInteger(kSection, QStringLiteral("Count"), 0); ++n)
            buttons.append(store.readString(kSection, QStringLiteral("Button%1").arg(n), {}));
        QCOMPARE(buttons, QStringList({"sbShowPlaylist,211,3", "sbCopy,83,3", "sbMove,107,3",
                                       "sbRename,131,3", "sbDelete,155,3", "sbPlay,0,3",
                                       "sbClear,0,3", "sbNew,3,3", "sbOpen,27,3", "sbSave,51,3"}));
    }

    void readingTheStoredLayout_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<int>("align");
        QTest::addColumn<QStringList>("shown");
        const QByteArray head = "[TfrmMainSpeedBar1]\n";
        QTest::newRow("no section")
            << QByteArray("[Other]\nCount=1\nButton1=sbPlay,3,3\n") << 1 << kDesignedShown;
        QTest::newRow("Count=0 keeps the buttons, applies Position")
            << head + "Position=2\nCount=0\nButton1=sbPlay,3,3\n"
            << 2 << kDesignedShown;
        QTest::newRow("no Count") << head + "Position=4\nButton1=sbPlay,3,3\n"
                                  << 4 << QStringList{"sbNew,3,3",           "sbOpen,3,27",
                                                      "sbSave,3,51",         "sbCopy,3,83",
                                                      "sbMove,3,107",        "sbRename,3,131",
                                                      "sbDelete,3,155",      "sbEdit,3,179",
                                                      "sbShowPlaylist,3,211"};
        QTest::newRow("only sbPlay") << head + "Count=1\nButton1=sbPlay,35,3\n"
                                     << 1 << QStringList{"sbPlay,35,3"};
        QTest::newRow("older version changes nothing")
            << head + "Version=-1\nPosition=2\nCount=1\nButton1=sbPlay,3,3\n"
            << 1 << kDesignedShown;
        QTest::newRow("unknown position docks at the top")
            << head + "Position=5\nCount=1\nButton1=sbPlay,3,3\n"
            << 1 << QStringList{"sbPlay,3,3"};
        QTest::newRow("wider buttons keep the buttons, not the position")
            << head + "Position=2\nBtnWidth=25\nCount=1\nButton1=sbPlay,3,3\n"
            << 2 << kDesignedShown;
        QTest::newRow("higher buttons keep the buttons")
            << head + "BtnHeight=24\nCount=1\nButton1=sbPlay,3,3\n"
            << 1 << kDesignedShown;
        QTest::newRow("smaller buttons pass")
            << head + "BtnWidth=20\nBtnHeight=20\nCount=1\nButton1=sbPlay,3,3\n"
            << 1 << QStringList{"sbPlay,3,3"};
        QTest::newRow("names without case, runs of commas and blanks")
            << head + "Count=2\nButton1=SBPLAY , ,35,,  26\nButton2=sbstop\t,43,3\n"
            << 1 << QStringList{"sbPlay,35,26", "sbStop,43,3"};
        QTest::newRow("raised to the offsets, not snapped")
            << head + "Count=2\nButton1=sbPlay,-4,0\nButton2=sbLoop,30,4\n"
            << 1 << QStringList{"sbPlay,3,3", "sbLoop,30,4"};
        QTest::newRow("missing or non-numeric words keep the position")
            << head + "Count=3\nButton1=sbOpen\nButton2=sbSave,x,y\nButton3=sbPlay,60\n"
            << 1 << QStringList{"sbOpen,27,3", "sbSave,51,3", "sbPlay,60,3"};
        QTest::newRow("unknown names, empty entries and a high Count are skipped")
            << head + "Count=6\nButton1=sbNope,3,3\nButton2=\nButton4=sbNew,3,3\n"
            << 1 << QStringList{"sbNew,3,3"};
        QTest::newRow("entries beyond Count are not read")
            << head + "Count=1\nButton1=sbNew,3,3\nButton2=sbOpen,27,3\n"
            << 1 << QStringList{"sbNew,3,3"};
        QTest::newRow("a huge Count reads the entries there are")
            << head + "Count=2147483647\nButton2147483647=sbStop,3,3\nButton3=sbPlay,27,3\n"
            << 1 << QStringList{"sbPlay,27,3", "sbStop,3,3"};
        QTest::newRow("a later entry moves the same item again")
            << head + "Count=2\nButton1=sbPlay,3,3\nButton2=sbplay,51,3\n"
            << 1 << QStringList{"sbPlay,51,3"};
    }
    void readingTheStoredLayout() {
        QFETCH(QByteArray, file);
        const SpeedBarLayout layout = readBack(file);
        QTEST(static_cast<int>(layout.align), "align");
        QTEST(shownItems(layout), "shown");
    }

    void verticalLayoutIsWrittenAndReadBack() {
        SpeedBarLayout layout = firstRunToolbar();
        speedgrid::setAlign(SpeedBarAlign::Left, layout);
        IniStore store(path());
        WriteLayout(layout, store, kSection);
        QCOMPARE(store.readInteger(kSection, QStringLiteral("Position"), 0), 3);
        QCOMPARE(store.readInteger(kSection, QStringLiteral("Width"), 0), 29);
        QCOMPARE(store.readInteger(kSection, QStringLiteral("BtnWidth"), 0), 23);
        QCOMPARE(store.readInteger(kSection, QStringLiteral("BtnHeight"), 0), 24);
        QCOMPARE(store.readString(kSection, QStringLiteral("Button2"), {}),
                 QStringLiteral("sbOpen,3,27"));

        SpeedBarLayout restarted = firstRunToolbar();
        ReadLayout(restarted, store, kSection);
        QCOMPARE(restarted.align, SpeedBarAlign::Left);
        QCOMPARE(shownItems(restarted), shownItems(layout));
        QCOMPARE(restarted.buttonWidth, 23);
    }
};

SONDRIX_TEST_MAIN(TestSpeedLayout)
#include "tst_speedlayout.moc"
