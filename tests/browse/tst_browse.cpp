#include "base/configkeys.h"
#include "base/inistore.h"
#include "base/sxerror.h"
#include "browse/browsercore.h"
#include "browse/clickactions.h"
#include "browse/volumes.h"
#include "browse/wavlisting.h"
#include "tests/support/testenv.h"
#include "tests/support/wavfiles.h"

#include <QApplication>
#include <QDir>
#include <QSignalSpy>

Q_DECLARE_METATYPE(Volume::Type)
Q_DECLARE_METATYPE(ReleaseAction::Play)

// The browse core without a window: the listing, the volumes, the browser directory and the
// release rule.
class TestBrowse : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
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

    void startupDirectoryFallsBackToNearestAncestor() {
        const QString dir = makeDir(QStringLiteral("startup"));
        BrowserCore browser(m_store, VolumeList::mounted());
        browser.showStartupPath(dir + QStringLiteral("/gone/away"));
        QCOMPARE(browser.browserDirectory(), dir);
    }

    void enteringTellsTheVolumeAndRereads() {
        const QString dir = makeDir(QStringLiteral("entered"));
        writeTextFile(dir + QStringLiteral("/a.wav"), "x");
        BrowserCore browser(m_store, VolumeList::mounted());
        QSignalSpy entered(&browser, &BrowserCore::directoryEntered);
        QSignalSpy reread(&browser, &BrowserCore::filesReread);
        browser.enterDirectory(dir);
        QCOMPARE(entered.count(), 1);
        QCOMPARE(entered.first().at(0).toString(), browser.volumes().volumeOf(dir).mountPath);
        QCOMPARE(entered.first().at(1).toString(), dir);
        QCOMPARE(reread.count(), 1);
        QCOMPARE(browser.wavNames(), QStringList{QStringLiteral("a.wav")});
        QCOMPARE(QDir::currentPath(), dir);
    }

    void enteringAMissingDirectoryThrowsAndChangesNothing() {
        const QString dir = makeDir(QStringLiteral("kept"));
        BrowserCore browser(m_store, VolumeList::mounted());
        browser.enterDirectory(dir);
        QSignalSpy entered(&browser, &BrowserCore::directoryEntered);
        QString message;
        try {
            browser.enterDirectory(dir + QStringLiteral("/nope"));
        } catch (const SxError& error) {
            message = error.message();
        }
        QVERIFY(message.startsWith(dir + QStringLiteral("/nope: ")));
        QCOMPARE(entered.count(), 0);
        QCOMPARE(browser.browserDirectory(), dir);
        QCOMPARE(QDir::currentPath(), dir);
    }

    void volumesRememberTheirDirectory() {
        const QString dir = makeDir(QStringLiteral("remembered/deep"));
        BrowserCore browser(m_store, VolumeList::mounted());
        browser.enterDirectory(dir);
        const QString mount = browser.volumes().volumeOf(dir).mountPath;
        browser.rememberDirectory(mount);
        QCOMPARE(m_store.readString(QLatin1String(cfg::kDirectories), mount, {}), dir);
        browser.enterDirectory(mount);
        browser.showDrive(mount);
        QCOMPARE(browser.browserDirectory(), dir);
        QVERIFY(QDir(dir).removeRecursively());
        browser.showDrive(mount);
        QCOMPARE(browser.browserDirectory(), mount);
        QCOMPARE(m_store.readString(QLatin1String(cfg::kDirectories), mount, {}), mount);
    }

    void busyOnlyWhileALongReadFills_data() {
        QTest::addColumn<int>("files");
        QTest::addColumn<QList<bool>>("reports");
        QTest::newRow("empty") << 0 << QList<bool>{};
        QTest::newRow("at the threshold") << BrowserCore::kBusyPointerThreshold << QList<bool>{};
        QTest::newRow("one more") << BrowserCore::kBusyPointerThreshold + 1
                                  << QList<bool>{true, false};
    }
    void busyOnlyWhileALongReadFills() {
        QFETCH(int, files);
        QFETCH(QList<bool>, reports);
        const QString dir = makeDir(QStringLiteral("busy%1").arg(files));
        for (int i = 0; i < files; ++i)
            writeTextFile(dir + QStringLiteral("/s%1.wav").arg(i), "x");
        BrowserCore browser(m_store, VolumeList::mounted());
        QList<bool> seen;
        QList<qsizetype> namesWhenSeen;
        connect(&browser, &BrowserCore::busyChanged, this, [&](bool busy) {
            seen.append(busy);
            namesWhenSeen.append(browser.wavNames().size());
        });
        browser.enterDirectory(dir);
        QCOMPARE(browser.wavNames().size(), files);
        QCOMPARE(seen, reports);
        if (!reports.isEmpty()) // busy before the list is filled, idle once it is
            QCOMPARE(namesWhenSeen, (QList<qsizetype>{0, files}));
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
