#include "base/inistore.h"
#include "base/sxerror.h"
#include "tests/support/testenv.h"

#include <QApplication>

// The configuration store against real files in a temporary folder.
class TestIniStore : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    QString path() const { return m_dir.filePath(QStringLiteral("Sondrix.ini")); }
    QByteArray fileBytes() const {
        QFile f(path());
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

private Q_SLOTS:
    void init() { QFile::remove(path()); }

    void readsIntegers_data() {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<int>("expected");
        QTest::newRow("decimal") << "42" << 42;
        QTest::newRow("negative") << "-7" << -7;
        QTest::newRow("plus sign") << "+5" << 5;
        QTest::newRow("hex") << "0x10" << 16;
        QTest::newRow("upper hex") << "0XfF" << 255;
        QTest::newRow("hex wraps to 32 bits") << "0xFFFFFFFF" << -1;
        QTest::newRow("0x alone is not hex") << "0x" << 99;
        QTest::newRow("word") << "true" << 99;
        QTest::newRow("empty") << "" << 99;
        QTest::newRow("trailing junk") << "12ab" << 99;
        QTest::newRow("bad hex digit") << "0x1G" << 99;
        QTest::newRow("out of range") << "99999999999" << 99;
    }
    void readsIntegers() {
        QFETCH(QString, stored);
        QFETCH(int, expected);
        IniStore store(path());
        store.writeString(QStringLiteral("S"), QStringLiteral("K"), stored);
        QCOMPARE(store.readInteger(QStringLiteral("S"), QStringLiteral("K"), 99), expected);
    }

    void readsBooleansAsIntegers_data() {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<bool>("def");
        QTest::addColumn<bool>("expected");
        QTest::newRow("true is the default") << "true" << false << false;
        QTest::newRow("true is the default (on)") << "true" << true << true;
        QTest::newRow("2 is true") << "2" << false << true;
        QTest::newRow("-1 is true") << "-1" << false << true;
        QTest::newRow("0 is false") << "0" << true << false;
        QTest::newRow("hex 0x0 is false") << "0x0" << true << false;
    }
    void readsBooleansAsIntegers() {
        QFETCH(QString, stored);
        QFETCH(bool, def);
        QFETCH(bool, expected);
        IniStore store(path());
        store.writeString(QStringLiteral("S"), QStringLiteral("B"), stored);
        QCOMPARE(store.readBool(QStringLiteral("S"), QStringLiteral("B"), def), expected);
    }

    void missingFileSectionOrKeyReadsDefaultAndCreatesNothing() {
        IniStore store(path());
        QCOMPARE(store.readString(QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("d")),
                 QStringLiteral("d"));
        QVERIFY(!QFile::exists(path()));
        store.writeBool(QStringLiteral("A"), QStringLiteral("X"), true);
        QCOMPARE(store.readInteger(QStringLiteral("Other"), QStringLiteral("X"), 5), 5);
        QCOMPARE(store.readInteger(QStringLiteral("A"), QStringLiteral("Y"), 5), 5);
        QCOMPARE(fileBytes(), QByteArray("[A]\nX=1\n"));
    }

    void longValueIsCutTo1023Characters() {
        IniStore store(path());
        const QString value(1500, QLatin1Char('v'));
        store.writeString(QStringLiteral("S"), QStringLiteral("Long"), value);
        QCOMPARE(store.readString(QStringLiteral("S"), QStringLiteral("Long"), {}),
                 value.left(1023));
    }

    void namesCompareWithoutCaseAndIgnoreSurroundingSpace() {
        writeTextFile("  [Preferences]  \n  SingleClick =  1  \n");
        IniStore store(path());
        QCOMPARE(store.readInteger(QStringLiteral("PREFERENCES"), QStringLiteral("singleclick"), 0),
                 1);
        store.writeInteger(QStringLiteral("preferences"), QStringLiteral("SINGLECLICK"), 0);
        QCOMPARE(store.readInteger(QStringLiteral("Preferences"), QStringLiteral("SingleClick"), 7),
                 0);
        QVERIFY(!fileBytes().contains("SINGLECLICK")); // the existing key line was rewritten
    }

    void writeIsSeenByTheNextReadAlsoFromAnotherStore() {
        IniStore first(path());
        IniStore second(path());
        QCOMPARE(
            second.readString(QStringLiteral("S"), QStringLiteral("K"), QStringLiteral("none")),
            QStringLiteral("none"));
        first.writeString(QStringLiteral("S"), QStringLiteral("K"), QStringLiteral("one"));
        QCOMPARE(second.readString(QStringLiteral("S"), QStringLiteral("K"), {}),
                 QStringLiteral("one"));
        // Same size, rewritten at once: still seen.
        first.writeString(QStringLiteral("S"), QStringLiteral("K"), QStringLiteral("two"));
        QCOMPARE(second.readString(QStringLiteral("S"), QStringLiteral("K"), {}),
                 QStringLiteral("two"));
    }

    void commentsAndUnknownSectionsSurviveAWrite() {
        const QByteArray original = "; a comment\n[Mine]\nodd line without equals\nKey=1\n\n"
                                    "[Preferences]\n# another\nShowPath=0\n";
        writeTextFile(original);
        IniStore store(path());
        store.writeBool(QStringLiteral("Preferences"), QStringLiteral("ShowPath"), true);
        store.writeString(QStringLiteral("Mine"), QStringLiteral("Added"), QStringLiteral("x"));
        QCOMPARE(fileBytes(), QByteArray("; a comment\n[Mine]\nodd line without equals\nKey=1\n"
                                         "Added=x\n\n[Preferences]\n# another\nShowPath=1\n"));
    }

    void replacingASectionErasesEveryCopyOfItAndKeepsTheRest() {
        writeTextFile("[Keep]\nA=1\n[Bar]\nOld=x\n; note\n[Other]\nB=2\n[bar]\nOld2=y\n");
        IniStore store(path());
        store.replaceSection(QStringLiteral("BAR"), {{QStringLiteral("Z"), QStringLiteral("1")},
                                                     {QStringLiteral("A"), QStringLiteral("2")}});
        QCOMPARE(fileBytes(), QByteArray("[Keep]\nA=1\n[Other]\nB=2\n\n[BAR]\nZ=1\nA=2\n"));
    }

    void keysOfASectionAreListedOnceEach() {
        writeTextFile("[S]\nOne=1\nTWO=2\none=3\n[T]\nThree=3\n");
        IniStore store(path());
        QStringList keys = store.keys(QStringLiteral(" s "));
        keys.sort();
        QCOMPARE(keys, QStringList({QStringLiteral("one"), QStringLiteral("two")}));
        QVERIFY(store.keys(QStringLiteral("Missing")).isEmpty());
    }

    void firstOfDuplicateKeysWins() {
        writeTextFile("[S]\nK=first\nK=second\n");
        IniStore store(path());
        QCOMPARE(store.readString(QStringLiteral("S"), QStringLiteral("K"), {}),
                 QStringLiteral("first"));
    }

    void valuesAreKeptExactly_data() {
        QTest::addColumn<QString>("value");
        QTest::newRow("trailing blank") << "~/takes ";
        QTest::newRow("leading blank") << " takes";
        QTest::newRow("tab inside and after") << "a\tb\t";
        QTest::newRow("equals sign") << "a=b";
        QTest::newRow("only blanks") << "   ";
    }
    void valuesAreKeptExactly() {
        QFETCH(QString, value);
        IniStore store(path());
        store.writeString(QStringLiteral(" Directories "), QStringLiteral(" Startup "), value);
        QVERIFY(fileBytes().contains("[Directories]\nStartup=" + value.toUtf8() + "\n"));
        QCOMPARE(IniStore(path()).readString(QStringLiteral("Directories"),
                                             QStringLiteral("Startup"), QStringLiteral("none")),
                 value);
    }

    void handWrittenLinesTrimOnlyTheNames() {
        writeTextFile("[S]\n  Key  =value \n");
        QCOMPARE(IniStore(path()).readString(QStringLiteral("s"), QStringLiteral("key"), {}),
                 QStringLiteral("value "));
    }

    void snapshotChecksTheFileOnceUntilItEnds() {
        IniStore other(path());
        IniStore store(path());
        other.writeString(QStringLiteral("S"), QStringLiteral("K"), QStringLiteral("one"));
        {
            const IniStore::ReadSnapshot snapshot(store);
            QCOMPARE(store.readString(QStringLiteral("S"), QStringLiteral("K"), {}),
                     QStringLiteral("one"));
            other.writeString(QStringLiteral("S"), QStringLiteral("K"), QStringLiteral("two"));
            QCOMPARE(store.readString(QStringLiteral("S"), QStringLiteral("K"), {}),
                     QStringLiteral("one"));
        }
        QCOMPARE(store.readString(QStringLiteral("S"), QStringLiteral("K"), {}),
                 QStringLiteral("two"));
    }

    void writeInsideASnapshotEndsIt() {
        IniStore other(path());
        IniStore store(path());
        const IniStore::ReadSnapshot snapshot(store);
        QCOMPARE(store.readString(QStringLiteral("S"), QStringLiteral("K"), QStringLiteral("no")),
                 QStringLiteral("no"));
        store.writeString(QStringLiteral("S"), QStringLiteral("Own"), QStringLiteral("x"));
        QCOMPARE(store.readString(QStringLiteral("S"), QStringLiteral("Own"), {}),
                 QStringLiteral("x"));
        other.writeString(QStringLiteral("S"), QStringLiteral("K"), QStringLiteral("three"));
        QCOMPARE(store.readString(QStringLiteral("S"), QStringLiteral("K"), {}),
                 QStringLiteral("three"));
    }

    void eraseSectionRemovesItAndLeavesTheOthers() {
        writeTextFile("[A]\nK=1\n\n[Gone]\nX=1\n; its comment\n[b]\nK=2\n[gone]\nY=2\n");
        IniStore store(path());
        QCOMPARE(store.readString(QStringLiteral("GONE"), QStringLiteral("Y"), {}),
                 QStringLiteral("2"));
        store.eraseSection(QStringLiteral("GONE"));
        QCOMPARE(fileBytes(), QByteArray("[A]\nK=1\n\n[b]\nK=2\n"));
        QCOMPARE(store.readString(QStringLiteral("Gone"), QStringLiteral("X"), QStringLiteral("-")),
                 QStringLiteral("-"));
    }

    void readOnlyFileRaisesAndStaysIntact() {
        writeTextFile("[S]\nK=old\n");
        QVERIFY(QFile::setPermissions(path(), QFileDevice::ReadOwner | QFileDevice::ReadGroup));
        IniStore store(path());
        try {
            store.writeString(QStringLiteral("S"), QStringLiteral("K"), QStringLiteral("new"));
            QFAIL("the write to a read-only file succeeded");
        } catch (const SxError& e) {
            QCOMPARE(e.message(), QStringLiteral("Unable to write to Sondrix.ini"));
        }
        QFile::setPermissions(path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        QCOMPARE(fileBytes(), QByteArray("[S]\nK=old\n"));
    }

    void unwritableFolderRaises() {
        // The folder is a regular file, so nothing can be created in it, whoever runs the test.
        writeTextFile(QByteArray());
        IniStore store(path() + QStringLiteral("/Sondrix.ini"));
        QVERIFY_THROWS_EXCEPTION(SxError,
                                 store.writeBool(QStringLiteral("S"), QStringLiteral("K"), true));
    }

    void sharedStoreLivesInTheUserConfigFolder() {
        QCOMPARE(IniStore::sharedFilePath(),
                 qEnvironmentVariable("XDG_CONFIG_HOME") + QStringLiteral("/Sondrix.ini"));
    }

private:
    void writeTextFile(const QByteArray& content) {
        QFile f(path());
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(content);
    }
};

SONDRIX_TEST_MAIN(TestIniStore)

#include "tst_inistore.moc"
