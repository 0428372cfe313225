#include "app/configkeys.h"
#include "app/inistore.h"
#include "browse/browser.h"
#include "browse/clickactions.h"
#include "browse/directorylist.h"
#include "browse/drivecombo.h"
#include "browse/listbox.h"
#include "browse/volumes.h"
#include "browse/wavlisting.h"
#include "tests/support/fakeprompt.h"
#include "tests/support/testenv.h"
#include "tests/support/wavfiles.h"

#include <QApplication>
#include <QDir>
#include <QSignalSpy>

Q_DECLARE_METATYPE(Volume::Type)
Q_DECLARE_METATYPE(ReleaseAction::Play)

class TestBrowse : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    FakePrompt m_prompt;
    IniStore m_store{IniStore::sharedFilePath()};

    QString makeDir(const QString& name) {
        QDir().mkpath(m_dir.filePath(name));
        return m_dir.filePath(name);
    }

private Q_SLOTS:
    void listsWavFilesOnlySortedWithoutCase() {
        const QString dir = makeDir(QStringLiteral("filter"));
        for (const char* name :
             {"b.wav", "A.WAV", "c.Wav", ".hidden.wav", "notes.txt", "x.wave", "a.wav"})
            writeTextFile(dir + QLatin1Char('/') + QLatin1String(name), "x");
        QDir().mkpath(dir + QStringLiteral("/folder.wav"));
        QVERIFY(QFile::link(dir + QStringLiteral("/b.wav"), dir + QStringLiteral("/link.wav")));
        QVERIFY(
            QFile::link(dir + QStringLiteral("/folder.wav"), dir + QStringLiteral("/dirlink.wav")));
        QCOMPARE(listWavFiles(dir), (QStringList{QStringLiteral("A.WAV"), QStringLiteral("a.wav"),
                                                 QStringLiteral("b.wav"), QStringLiteral("c.Wav"),
                                                 QStringLiteral("link.wav")}));
        QCOMPARE(listSubdirectories(dir),
                 (QStringList{QStringLiteral("dirlink.wav"), QStringLiteral("folder.wav")}));
        QVERIFY(listWavFiles(m_dir.filePath(QStringLiteral("missing"))).isEmpty());
    }

    void classifiesVolumes_data() {
        QTest::addColumn<QString>("type");
        QTest::addColumn<QString>("device");
        QTest::addColumn<QString>("mount");
        QTest::addColumn<bool>("removable");
        QTest::addColumn<Volume::Type>("expected");
        QTest::newRow("ext4") << "ext4"
                              << "/dev/sda1"
                              << "/" << false << Volume::Type::Fixed;
        QTest::newRow("nfs") << "nfs4"
                             << "server:/export"
                             << "/mnt/n" << false << Volume::Type::Network;
        QTest::newRow("sshfs") << "fuse.sshfs"
                               << "me@host:/x"
                               << "/mnt/s" << false << Volume::Type::Network;
        QTest::newRow("cifs") << "cifs"
                              << "//host/share"
                              << "/mnt/c" << false << Volume::Type::Network;
        QTest::newRow("cd") << "iso9660"
                            << "/dev/sr0"
                            << "/media/cd" << true << Volume::Type::CdRom;
        QTest::newRow("tmpfs") << "tmpfs"
                               << "tmpfs"
                               << "/tmp" << false << Volume::Type::Ram;
        QTest::newRow("usb by sysfs") << "vfat"
                                      << "/dev/sdb1"
                                      << "/mnt/u" << true << Volume::Type::Removable;
        QTest::newRow("usb by place") << "vfat"
                                      << "/dev/sdb1"
                                      << "/run/media/me/U" << false << Volume::Type::Removable;
    }
    void classifiesVolumes() {
        QFETCH(QString, type);
        QFETCH(QString, device);
        QFETCH(QString, mount);
        QFETCH(bool, removable);
        QFETCH(Volume::Type, expected);
        QCOMPARE(VolumeList::classify({mount, type, device, {}}, removable), expected);
    }

    void volumeListSkipsPseudoFileSystemsAndFindsLongestPrefix() {
        const VolumeList list = VolumeList::fromMounts(
            {{QStringLiteral("/proc"), QStringLiteral("proc"), QStringLiteral("proc"), {}},
             {QStringLiteral("/media/usb"), QStringLiteral("vfat"), QStringLiteral("/dev/sdb1"),
              QStringLiteral("STICK")},
             {QStringLiteral("/home"), QStringLiteral("ext4"), QStringLiteral("/dev/sda2"),
              QStringLiteral("Data")},
             {QStringLiteral("/mnt/n"), QStringLiteral("nfs"), QStringLiteral("srv:/e"), {}},
             {QStringLiteral("/sys/fs/cgroup"),
              QStringLiteral("cgroup2"),
              QStringLiteral("cgroup2"),
              {}}},
            [](const QString&) { return false; });
        QStringList texts;
        for (const Volume& v : list.volumes())
            texts.append(v.displayText());
        // "/" is listed although no root mount was reported.
        QCOMPARE(texts,
                 (QStringList{QStringLiteral("/"), QStringLiteral("/home [Data]"),
                              QStringLiteral("/media/usb [STICK]"), QStringLiteral("/mnt/n")}));
        QCOMPARE(list.volumeOf(QStringLiteral("/home/me/sounds")).mountPath,
                 QStringLiteral("/home"));
        QCOMPARE(list.volumeOf(QStringLiteral("/homework")).mountPath, QStringLiteral("/"));
        QCOMPARE(list.volumeOf(QStringLiteral("/media/usb")).mountPath,
                 QStringLiteral("/media/usb"));
    }

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

        // A right press below the last item finds none and keeps the selection.
        QCOMPARE(wavs->rowAt(QPoint(5, 190)), -1);
        QTest::mouseClick(wavs->viewport(), Qt::RightButton, {}, QPoint(5, 190));
        QCOMPARE(browser.selectedWav(), QStringLiteral("c.wav"));
    }

    void drivesRememberTheirDirectory() {
        const QString dir = makeDir(QStringLiteral("memory/deep"));
        QWidget window;
        Browser browser(m_store, m_prompt, &window);
        browser.enterDirectory(dir);
        const QString mount = browser.drives()->currentMountPath();
        QVERIFY(!mount.isEmpty());
        browser.DirectoryListBox1Exit(); // the selector receives the focus
        QCOMPARE(m_store.readString(QLatin1String(cfg::kDirectories), mount, {}), dir);

        browser.enterDirectory(mount);
        browser.DriveComboBox1Change(mount);
        QCOMPARE(browser.browserDirectory(), dir);
        QCOMPARE(QDir::currentPath(), dir);

        QVERIFY(QDir(dir).removeRecursively());
        browser.DriveComboBox1Change(mount);
        QCOMPARE(browser.browserDirectory(), mount);
        QCOMPARE(m_store.readString(QLatin1String(cfg::kDirectories), mount, {}), mount);
    }

    void startupDirectoryFallsBackToNearestAncestor() {
        const QString dir = makeDir(QStringLiteral("startup"));
        QWidget window;
        Browser browser(m_store, m_prompt, &window);
        browser.showStartupDirectory(dir + QStringLiteral("/gone/away"));
        QCOMPARE(browser.browserDirectory(), dir);
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

    void releaseActions_data() {
        QTest::addColumn<int>("clickAction");
        QTest::addColumn<int>("button");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<ReleaseAction::Play>("play");
        QTest::addColumn<bool>("add");
        QTest::addColumn<bool>("edit");
        using P = ReleaseAction::Play;
        const int L = Qt::LeftButton, R = Qt::RightButton;
        const int none = Qt::NoModifier, alt = Qt::AltModifier, shift = Qt::ShiftModifier,
                  ctrl = Qt::ControlModifier, ctrlAlt = Qt::ControlModifier | Qt::AltModifier;
        QTest::newRow("0 plain") << 0 << L << none << P::Once << false << false;
        QTest::newRow("0 alt") << 0 << L << alt << P::None << false << false;
        QTest::newRow("0 shift") << 0 << L << shift << P::None << true << false;
        QTest::newRow("0 ctrl") << 0 << L << ctrl << P::None << false << true;
        QTest::newRow("0 right") << 0 << R << none << P::None << false << false;
        QTest::newRow("0 ctrl+alt") << 0 << L << ctrlAlt << P::None << false << false;
        QTest::newRow("1 plain") << 1 << L << none << P::None << false << false;
        QTest::newRow("1 alt") << 1 << L << alt << P::Looped << false << false;
        QTest::newRow("1 shift") << 1 << L << shift << P::None << true << false;
        QTest::newRow("1 ctrl") << 1 << L << ctrl << P::None << false << true;
        QTest::newRow("1 right alt") << 1 << R << alt << P::None << false << false;
        QTest::newRow("2 plain") << 2 << L << none << P::None << false << false;
        QTest::newRow("2 shift still adds") << 2 << L << shift << P::None << true << false;
        QTest::newRow("keypad flag ignored")
            << 0 << L << int(Qt::KeypadModifier) << P::Once << false << false;
    }
    void releaseActions() {
        QFETCH(int, clickAction);
        QFETCH(int, button);
        QFETCH(int, modifiers);
        QFETCH(ReleaseAction::Play, play);
        QFETCH(bool, add);
        QFETCH(bool, edit);
        const auto b = static_cast<Qt::MouseButton>(button);
        const auto m = Qt::KeyboardModifiers(modifiers);
        QCOMPARE(wavReleaseAction(clickAction, b, m), (ReleaseAction{play, add, edit}));
        // The playlist follows the same rule, but Shift adds nothing there.
        QCOMPARE(playlistReleaseAction(clickAction, b, m), (ReleaseAction{play, false, edit}));
    }
};

SONDRIX_TEST_MAIN(TestBrowse)
#include "tst_browse.moc"
