#include "base/inistore.h"
#include "base/sxerror.h"
#include "tests/support/testenv.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>

#include <sys/stat.h>

// The configuration store against files a person or a crash could leave in its place.
class TestIniHostile : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    QString path() const { return m_dir.filePath(QStringLiteral("Sondrix.ini")); }
    QByteArray fileBytes() const {
        QFile f(path());
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
    }
    void writeTextFile(const QString& file, const QByteArray& content) {
        QFile f(file);
        QVERIFY(f.open(QIODevice::WriteOnly));
        QCOMPARE(f.write(content), content.size());
    }
    static void expectWriteError(IniStore& store) {
        try {
            store.writeString(QStringLiteral("S"), QStringLiteral("K"), QStringLiteral("v"));
            QFAIL("the write succeeded");
        } catch (const SxError& e) {
            QCOMPARE(e.message(), QStringLiteral("Unable to write to Sondrix.ini"));
        }
    }

private Q_SLOTS:
    void init() {
        QDir dir(m_dir.path());
        for (const QString& name :
             dir.entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System))
            QVERIFY(QFileInfo(dir.filePath(name)).isDir() &&
                            !QFileInfo(dir.filePath(name)).isSymLink()
                        ? QDir(dir.filePath(name)).removeRecursively()
                        : QFile::remove(dir.filePath(name)));
    }

    void emptyLockLeftByAKilledWriterHoldsAWriteUnderASecond() {
        writeTextFile(path() + QStringLiteral(".lock"), QByteArray());
        IniStore store(path());
        QElapsedTimer timer;
        timer.start();
        store.writeString(QStringLiteral("S"), QStringLiteral("K"), QStringLiteral("v"));
        QVERIFY2(timer.elapsed() < 1000, qPrintable(QString::number(timer.elapsed())));
        QCOMPARE(store.readString(QStringLiteral("S"), QStringLiteral("K"), {}),
                 QStringLiteral("v"));
        QVERIFY(!QFile::exists(path() + QStringLiteral(".lock")));
    }

    void lockThatCannotBeHadIsAWriteError() {
        QVERIFY(QDir().mkdir(path() + QStringLiteral(".lock"))); // no writer can ever take it
        IniStore store(path());
        QElapsedTimer timer;
        timer.start();
        expectWriteError(store);
        QVERIFY2(timer.elapsed() < 1000, qPrintable(QString::number(timer.elapsed())));
        QVERIFY(!QFile::exists(path()));
    }

    void leftoverCopiesOfKilledWritersAreRemovedAtTheNextWrite() {
        const QString leftover = path() + QStringLiteral(".sondrix-tmp-aBq1Yz");
        writeTextFile(leftover, "[S]\nK=half\n");
        // Copies a person keeps beside the file, whatever their letters.
        const QStringList kept = {QStringLiteral(".old"), QStringLiteral(".MyCopy"),
                                  QStringLiteral(".OldOne"), QStringLiteral(".BackUp"),
                                  QStringLiteral(".SONDRIX-TMP-aBq1Yz")};
        for (const QString& suffix : kept)
            writeTextFile(path() + suffix, "mine");
        IniStore store(path());
        store.writeString(QStringLiteral("S"), QStringLiteral("K"), QStringLiteral("v"));
        QVERIFY(!QFile::exists(leftover));
        for (const QString& suffix : kept)
            QVERIFY2(QFile::exists(path() + suffix), qPrintable(suffix));
    }

    void whatIsNotARegularFileReadsDefaultsAndRefusesWrites_data() {
        QTest::addColumn<QString>("kind");
        QTest::newRow("FIFO") << "fifo";
        QTest::newRow("link to /dev/zero") << "zero";
        QTest::newRow("folder") << "folder";
        QTest::newRow("over four megabytes") << "large";
    }
    void whatIsNotARegularFileReadsDefaultsAndRefusesWrites() {
        QFETCH(QString, kind);
        const QByteArray native = QFile::encodeName(path());
        if (kind == QLatin1String("fifo"))
            QCOMPARE(::mkfifo(native.constData(), 0600), 0);
        else if (kind == QLatin1String("zero"))
            QVERIFY(QFile::link(QStringLiteral("/dev/zero"), path()));
        else if (kind == QLatin1String("folder"))
            QVERIFY(QDir().mkdir(path()));
        else
            writeTextFile(path(), "[S]\nK=stored\n; " + QByteArray(5 << 20, 'x') + "\n");
        IniStore store(path());
        QCOMPARE(store.readString(QStringLiteral("S"), QStringLiteral("K"), QStringLiteral("def")),
                 QStringLiteral("def"));
        QVERIFY(store.keys(QStringLiteral("S")).isEmpty());
        expectWriteError(store);
        QVERIFY(!QFile::exists(path() + QStringLiteral(".lock")));
    }

    void aValueWithLineBreaksAddsNoLineAndNoSection() {
        writeTextFile(path(), "[Preferences]\nConfirmDelete=1\n");
        const QString folder = QStringLiteral("/tmp/x\n[Preferences]\nConfirmDelete=0");
        IniStore store(path());
        store.writeString(QStringLiteral("Playlist"), QStringLiteral("LastOpen"), folder);
        QCOMPARE(IniStore(path()).readInteger(QStringLiteral("Preferences"),
                                              QStringLiteral("ConfirmDelete"), 7),
                 1);
        QCOMPARE(
            IniStore(path()).readString(QStringLiteral("Playlist"), QStringLiteral("LastOpen"), {}),
            folder);
        QCOMPARE(fileBytes().count('\n'), 5); // two sections, their keys and a blank line
    }

    void anythingWrittenReadsBackIdentical_data() {
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("value");
        const QString s = QStringLiteral("S");
        const QString k = QStringLiteral("K");
        QTest::newRow("LF") << s << k << "a\nb";
        QTest::newRow("CR LF at the end") << s << k << "ab\r\n";
        QTest::newRow("lone CR at the end") << s << k << "ab\r";
        QTest::newRow("NUL and controls") << s << k << QString::fromUtf16(u"a\0b\x01\x7f", 5);
        QTest::newRow("lone high surrogate") << s << k << QString(QChar(0xD800));
        QTest::newRow("lone low surrogate from a path") << s << k << QString(QChar(0xDCE9));
        QTest::newRow("byte-order mark") << s << k << QString::fromUtf16(u"\xFEFFx");
        QTest::newRow("starts like an encoded value") << s << k << "%%0041";
        QTest::newRow("malformed escape") << s << k << "%%%zz";
        QTest::newRow("mount path as key") << s << "/media/a=b"
                                           << "/home";
        QTest::newRow("key with line break") << s << "a\n[x]\ny"
                                             << "v";
        QTest::newRow("key like a section") << s << "[x"
                                            << "y]";
        QTest::newRow("key like a comment") << s << ";k"
                                            << "v";
        QTest::newRow("key like a hash comment") << s << "#k"
                                                 << "v";
        QTest::newRow("key of percent signs") << s << "%%"
                                              << "v";
        QTest::newRow("section with line break") << "a]\n[Preferences" << k << "v";
        QTest::newRow("section with a lone surrogate") << QString(QChar(0xDCFF)) << k << "v";
        QTest::newRow("non-ASCII key") << s << QString::fromUtf8("Ünïcödé ſ") << "v";
    }
    void anythingWrittenReadsBackIdentical() {
        QFETCH(QString, section);
        QFETCH(QString, key);
        QFETCH(QString, value);
        writeTextFile(path(), "[S]\nOther=1\n[Preferences]\nConfirmDelete=1\n");
        IniStore store(path());
        store.writeString(section, key, value);
        const QByteArray once = fileBytes();
        store.writeString(section, key, value); // the same key again: no line is added
        QCOMPARE(fileBytes(), once);
        const IniStore fresh(path());
        QCOMPARE(fresh.readString(section, key, QStringLiteral("<default>")), value);
        QCOMPARE(fresh.readInteger(QStringLiteral("S"), QStringLiteral("Other"), 0), 1);
        QCOMPARE(
            fresh.readInteger(QStringLiteral("Preferences"), QStringLiteral("ConfirmDelete"), 0),
            1);
        QCOMPARE(fresh.keys(QStringLiteral("Preferences")),
                 QStringList{QStringLiteral("confirmdelete")});
    }

    void ordinaryNamesAndValuesAreStoredAsTheyStand_data() {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QByteArray>("line");
        QTest::newRow("path") << "Startup"
                              << "/home/me/My Takes " << QByteArray("Startup=/home/me/My Takes ");
        QTest::newRow("drive") << "c:"
                               << "c:\\" << QByteArray("c:=c:\\");
        QTest::newRow("number") << "Width"
                                << "-120" << QByteArray("Width=-120");
        QTest::newRow("percent and equals") << "Item_0"
                                            << "50% a=b" << QByteArray("Item_0=50% a=b");
        QTest::newRow("tab") << "T"
                             << "a\tb" << QByteArray("T=a\tb");
        QTest::newRow("non-ASCII") << QString::fromUtf8("Café") << QString::fromUtf8("/mnt/€")
                                   << QByteArray("Caf\xc3\xa9=/mnt/\xe2\x82\xac");
    }
    void ordinaryNamesAndValuesAreStoredAsTheyStand() {
        QFETCH(QString, key);
        QFETCH(QString, value);
        QFETCH(QByteArray, line);
        IniStore(path()).writeString(QStringLiteral("S"), key, value);
        QCOMPARE(fileBytes(), "[S]\n" + line + "\n");
    }

    void namesCompareWithoutAsciiCaseOnly_data() {
        QTest::addColumn<QString>("existing");
        QTest::addColumn<QString>("written");
        QTest::addColumn<bool>("same");
        QTest::newRow("ASCII case") << "Width"
                                    << "WIDTH" << true;
        QTest::newRow("long s is not s") << "s" << QString::fromUtf8("ſ") << false;
        QTest::newRow("Kelvin sign is not k") << "k" << QString::fromUtf8("\u212A") << false;
        QTest::newRow("sharp s is not ss") << "ss" << QString::fromUtf8("ß") << false;
        QTest::newRow("non-ASCII case")
            << QString::fromUtf8("é") << QString::fromUtf8("É") << false;
    }
    void namesCompareWithoutAsciiCaseOnly() {
        QFETCH(QString, existing);
        QFETCH(QString, written);
        QFETCH(bool, same);
        writeTextFile(path(), "[S]\n" + existing.toUtf8() + "=old\n");
        IniStore store(path());
        store.writeString(QStringLiteral("s"), written, QStringLiteral("new"));
        QCOMPARE(store.readString(QStringLiteral("S"), written, {}), QStringLiteral("new"));
        QCOMPARE(store.readString(QStringLiteral("S"), existing, {}),
                 same ? QStringLiteral("new") : QStringLiteral("old"));
    }

    void linesAWriteDoesNotChangeKeepTheirBytes() {
        const QByteArray head =
            "\xEF\xBB\xBF; caf\xE9 \xFF comment\r\n[Other]\r\nName=\xC3\x28 \xED\xA0\x80\r\n";
        writeTextFile(path(), head + "[S]\nK=1\n# \xFE\n");
        IniStore store(path());
        QCOMPARE(store.readString(QStringLiteral("Other"), QStringLiteral("Name"), {}).size(), 6);
        store.writeInteger(QStringLiteral("S"), QStringLiteral("K"), 2);
        QCOMPARE(fileBytes(), head + "[S]\nK=2\n# \xFE\n");
    }
};

SONDRIX_TEST_MAIN(TestIniHostile)

#include "tst_inihostile.moc"
