#include "base/configkeys.h"
#include "base/inistore.h"
#include "tests/support/fakeprompt.h"
#include "tests/support/testenv.h"
#include "tests/support/wavfiles.h"
#include "ui/browse/browser.h"
#include "ui/browse/directorylist.h"
#include "ui/browse/drivecombo.h"
#include "ui/browse/listbox.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QDir>
#include <QImage>
#include <QSignalSpy>

// The browser's controls: what the directory list and the drive selector show, the file
// list's change event under real clicks and keys, the busy pointer and the error of a failed
// directory change.
class TestBrowseWidgets : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    IniStore m_store{IniStore::sharedFilePath()};
    FakePrompt m_prompt;

    QString makeDir(const QString& name) {
        QDir().mkpath(m_dir.filePath(name));
        return m_dir.filePath(name);
    }
    static bool hasOpaquePixel(const QIcon& icon) {
        const QImage image = icon.pixmap(16).toImage();
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (qAlpha(image.pixel(x, y)) > 0)
                    return true;
        return false;
    }

    static VolumeList threeVolumes() {
        return VolumeList::fromMounts(
            {{QStringLiteral("/"), QStringLiteral("ext4"), QStringLiteral("/dev/sda1"), {}},
             {QStringLiteral("/home"), QStringLiteral("ext4"), QStringLiteral("/dev/sda2"),
              QStringLiteral("Data")},
             {QStringLiteral("/mnt/x"), QStringLiteral("ext4"), QStringLiteral("/dev/sdc1"), {}}},
            [](const QString&) { return false; });
    }

private Q_SLOTS:

    void directoryListShowsPathCurrentAndSubdirectories() {
        const QString base = makeDir(QStringLiteral("tree/sounds"));
        makeDir(QStringLiteral("tree/sounds/zeta"));
        makeDir(QStringLiteral("tree/sounds/alpha"));
        DirectoryList list;
        list.showDirectory(QStringLiteral("/"), base);
        const QStringList parts = base.split(QLatin1Char('/'), Qt::SkipEmptyParts);
        QCOMPARE(list.count(), 1 + parts.size() + 2);
        QCOMPARE(list.item(0)->text(), QStringLiteral("/"));
        QCOMPARE(list.currentItem()->text(), QStringLiteral("sounds"));
        QCOMPARE(list.item(list.count() - 2)->text(), QStringLiteral("alpha"));
        QCOMPARE(list.item(list.count() - 1)->data(DirectoryList::kPathRole).toString(),
                 base + QStringLiteral("/zeta"));
        QCOMPARE(list.item(list.count() - 1)->data(DirectoryList::kDepthRole).toInt(),
                 parts.size() + 1);
    }

    void changeEventFollowsUserActionsOnly() {
        const QString dir = makeDir(QStringLiteral("change"));
        for (const char* name : {"a.wav", "b.wav", "c.wav"})
            writeTextFile(dir + QLatin1Char('/') + QLatin1String(name), "x");
        QWidget window;
        Browser browser(m_store, m_prompt, &window);
        browser.wavs()->resize(200, 200);
        QSignalSpy changes(browser.wavs(), &ListBox::changed);
        browser.enterDirectory(dir);
        QCOMPARE(changes.count(), 1); // the re-read raises it
        QCOMPARE(browser.wavs()->selectedRow(), -1);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));

        ListBox* wavs = browser.wavs();
        const QPoint second = wavs->visualRect(wavs->model()->index(1, 0)).center();
        QTest::mouseClick(wavs->viewport(), Qt::LeftButton, {}, second);
        QCOMPARE(changes.count(), 2);
        QCOMPARE(browser.selectedWav(), QStringLiteral("b.wav"));
        QTest::mouseClick(wavs->viewport(), Qt::LeftButton, {}, second);
        QCOMPARE(changes.count(), 2); // same row again: no change

        wavs->clearSelectedRow(); // by program, as leaving the list does
        QTest::mouseClick(wavs->viewport(), Qt::LeftButton, {}, second);
        QCOMPARE(changes.count(), 2); // the row of the previous change event
        QCOMPARE(browser.selectedWav(), QStringLiteral("b.wav"));

        QTest::keyClick(wavs, Qt::Key_Down);
        QCOMPARE(changes.count(), 3);
        QCOMPARE(browser.selectedWav(), QStringLiteral("c.wav"));
    }

    void drivesRememberTheirDirectory() {
        const QString dir = makeDir(QStringLiteral("memory/deep"));
        QWidget window;
        Browser browser(m_store, m_prompt, &window);
        browser.enterDirectory(dir);
        const QString mount = browser.drives()->currentMountPath();
        QVERIFY(!mount.isEmpty());
        browser.rememberShownDirectory(); // the selector receives the focus
        QCOMPARE(m_store.readString(QLatin1String(cfg::kDirectories), mount, {}), dir);

        browser.enterDirectory(mount);
        browser.showDrive(mount);
        QCOMPARE(browser.browserDirectory(), dir);
        QCOMPARE(QDir::currentPath(), dir);

        QVERIFY(QDir(dir).removeRecursively());
        browser.showDrive(mount);
        QCOMPARE(browser.browserDirectory(), mount);
        QCOMPARE(m_store.readString(QLatin1String(cfg::kDirectories), mount, {}), mount);
    }

    void enteringAMissingDirectoryRaisesAndChangesNothing() {
        const QString dir = makeDir(QStringLiteral("stay"));
        QWidget window;
        Browser browser(m_store, m_prompt, &window);
        browser.enterDirectory(dir);
        m_prompt.asked.clear();
        Q_EMIT browser.directories()->openRequested(dir + QStringLiteral("/nope"));
        QCOMPARE(m_prompt.texts(QStringLiteral("failure")).size(), 1);
        QVERIFY(m_prompt.texts(QStringLiteral("failure"))
                    .first()
                    .startsWith(dir + QStringLiteral("/nope: ")));
        QCOMPARE(browser.browserDirectory(), dir);
    }

    void choosingTheShownDriveDoesNothing() {
        DriveCombo combo;
        combo.setVolumes(threeVolumes());
        combo.showVolume(QStringLiteral("/home"));
        combo.show();
        QVERIFY(QTest::qWaitForWindowExposed(&combo));
        QSignalSpy chosen(&combo, &DriveCombo::volumeChosen);

        combo.showPopup();
        QAbstractItemView* popup = combo.view();
        QTRY_VERIFY(popup->isVisible());
        QCOMPARE(popup->currentIndex().row(), 1);
        QTest::keyClick(popup, Qt::Key_Return);
        QTRY_VERIFY(!popup->isVisible());
        QCOMPARE(chosen.count(), 0);

        combo.showPopup();
        QTRY_VERIFY(popup->isVisible());
        QTest::keyClick(popup, Qt::Key_Down);
        QTest::keyClick(popup, Qt::Key_Return);
        QTRY_COMPARE(chosen.count(), 1);
        QCOMPARE(chosen.first().first().toString(), QStringLiteral("/mnt/x"));
    }

    void subdirectoriesShowAsAPersonReads() {
        const QString base = makeDir(QStringLiteral("order"));
        for (const char* name : {"Zeta", "alpha", "Beta", "gamma"})
            makeDir(QStringLiteral("order/") + QLatin1String(name));
        const QStringList expected{QStringLiteral("alpha"), QStringLiteral("Beta"),
                                   QStringLiteral("gamma"), QStringLiteral("Zeta")};
        DirectoryList list;
        list.showDirectory(QStringLiteral("/"), base);
        QStringList shown;
        for (int i = list.count() - 4; i < list.count(); ++i)
            shown.append(list.item(i)->text());
        QCOMPARE(shown, expected);
    }

    void currentDirectoryIconIsDrawn() {
        const QString base = makeDir(QStringLiteral("icons/here"));
        DirectoryList list;
        list.showDirectory(QStringLiteral("/"), base);
        const QIcon current = list.currentItem()->icon();
        QVERIFY(hasOpaquePixel(current));
        QVERIFY(current.pixmap(16).toImage() != list.item(0)->icon().pixmap(16).toImage());
    }

    void busyPointerShowsDuringALongRead() {
        const QString dir = makeDir(QStringLiteral("long"));
        for (int i = 0; i < 150; ++i)
            writeTextFile(dir + QStringLiteral("/s%1.wav").arg(i), "x");
        QWidget window;
        Browser browser(m_store, m_prompt, &window);
        const QAbstractItemModel* model = browser.wavs()->model();
        QVERIFY(model);
        QList<Qt::CursorShape> shapesWhileFilled;
        connect(model, &QAbstractItemModel::modelAboutToBeReset, this, [&] {
            const QCursor* cursor = QGuiApplication::overrideCursor();
            shapesWhileFilled.append(cursor ? cursor->shape() : Qt::ArrowCursor);
        });
        browser.enterDirectory(dir);
        QCOMPARE(shapesWhileFilled, QList<Qt::CursorShape>{Qt::WaitCursor});
        QVERIFY(!QGuiApplication::overrideCursor());
        browser.enterDirectory(makeDir(QStringLiteral("short")));
        QCOMPARE(shapesWhileFilled, (QList<Qt::CursorShape>{Qt::WaitCursor, Qt::ArrowCursor}));
    }
};

SONDRIX_TEST_MAIN(TestBrowseWidgets)
#include "tst_browsewidgets.moc"
