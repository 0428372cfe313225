#include "base/inistore.h"
#include "browse/browsercore.h"
#include "browse/volumes.h"
#include "browse/wavlisting.h"
#include "base/pathcodec.h"
#include "tests/support/testenv.h"
#include "tests/support/wavfiles.h"

#include <QApplication>
#include <QDir>

#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

Q_DECLARE_METATYPE(Volume::Type)

// What the browser reads, without a window: names as the bytes on disk, the volumes' texts, the
// order of sub-directories, the report of a long read.
class TestBrowseNames : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    IniStore m_store{IniStore::sharedFilePath()};
    QList<QByteArray> m_rawPaths; // removed by hand, deepest first: QDir cannot name them

    QString makeDir(const QString& name) {
        QDir().mkpath(m_dir.filePath(name));
        return m_dir.filePath(name);
    }

private Q_SLOTS:
    void cleanupTestCase() {
        for (auto it = m_rawPaths.crbegin(); it != m_rawPaths.crend(); ++it)
            QVERIFY(::remove(it->constData()) == 0);
    }

    void nonUtf8NameListsAsItsBytes() {
        const QString dir = makeDir(QStringLiteral("raw"));
        const QByteArray raw = encodePath(dir) + "/caf\xe9.wav";
        const int fd = ::open(raw.constData(), O_CREAT | O_WRONLY, 0644);
        QVERIFY(fd >= 0);
        ::close(fd);
        m_rawPaths.append(raw);
        const QStringList names = listWavFiles(dir);
        QCOMPARE(names.size(), 1);
        QCOMPARE(encodePath(names.first()), QByteArray("caf\xe9.wav"));
        QVERIFY(isExistingFile(dir + QLatin1Char('/') + names.first()));
    }

    void nonUtf8DirectoryCanBeEntered() {
        const QString parent = makeDir(QStringLiteral("rawdir"));
        const QByteArray raw = encodePath(parent) + "/d\xe9mos";
        QCOMPARE(::mkdir(raw.constData(), 0755), 0);
        m_rawPaths.append(raw);
        writeTone(parent + QStringLiteral("/plain.wav"));
        QVERIFY(::rename(encodePath(parent + QStringLiteral("/plain.wav")).constData(),
                         (raw + "/t.wav").constData()) == 0);
        m_rawPaths.append(raw + "/t.wav");
        BrowserCore browser(m_store, VolumeList::mounted());
        browser.enterDirectory(parent);
        const QStringList subs = listSubdirectories(parent);
        QCOMPARE(subs.size(), 1);
        browser.enterDirectory(parent + QLatin1Char('/') + subs.first());
        QCOMPARE(encodePath(browser.browserDirectory()), raw);
        QCOMPARE(browser.wavNames(), QStringList{QStringLiteral("t.wav")});
    }

    void volumeTextShowsLabelOnlyWhenThereIsOne_data() {
        QTest::addColumn<QString>("mount");
        QTest::addColumn<QString>("label");
        QTest::addColumn<Volume::Type>("type");
        QTest::addColumn<QString>("text");
        QTest::newRow("root, no label") << "/"
                                        << "" << Volume::Type::Fixed << "/";
        QTest::newRow("fixed with label") << "/home"
                                          << "Data" << Volume::Type::Fixed << "/home [Data]";
        QTest::newRow("label keeps its case")
            << "/media/u"
            << "STICK" << Volume::Type::Removable << "/media/u [STICK]";
        QTest::newRow("ram, no label") << "/tmp"
                                       << "" << Volume::Type::Ram << "/tmp";
        QTest::newRow("cd with label")
            << "/media/cd"
            << "Audio CD" << Volume::Type::CdRom << "/media/cd [Audio CD]";
        QTest::newRow("network, no label") << "/mnt/n"
                                           << "" << Volume::Type::Network << "/mnt/n";
    }
    void volumeTextShowsLabelOnlyWhenThereIsOne() {
        QFETCH(QString, mount);
        QFETCH(QString, label);
        QFETCH(Volume::Type, type);
        QFETCH(QString, text);
        QCOMPARE((Volume{mount, label, QStringLiteral("src"), type}.displayText()), text);
    }

    void subdirectoriesSortAsAPersonReads() {
        const QString base = makeDir(QStringLiteral("order"));
        for (const char* name : {"Zeta", "alpha", "Beta", "gamma"})
            makeDir(QStringLiteral("order/") + QLatin1String(name));
        const QStringList expected{QStringLiteral("alpha"), QStringLiteral("Beta"),
                                   QStringLiteral("gamma"), QStringLiteral("Zeta")};
        QCOMPARE(listSubdirectories(base), expected);
    }

    void longReadIsReportedOnceWhileItRuns() {
        const QString dir = makeDir(QStringLiteral("long"));
        for (int i = 0; i < 150; ++i)
            writeTextFile(dir + QStringLiteral("/s%1.wav").arg(i), "x");
        int calls = 0;
        qsizetype filesWhenCalled = -1;
        QStringList names = listWavFiles(dir, 100, [&] {
            ++calls;
            filesWhenCalled = listWavFiles(dir).size(); // the read has not ended yet
        });
        QCOMPARE(calls, 1);
        QCOMPARE(names.size(), 150);
        QCOMPARE(filesWhenCalled, 150);
        calls = 0;
        listWavFiles(dir, 150, [&] { ++calls; });
        QCOMPARE(calls, 0);
    }
};

SONDRIX_TEST_MAIN(TestBrowseNames)
#include "tst_browsenames.moc"
