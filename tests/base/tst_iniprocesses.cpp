#include "base/inifile.h"
#include "base/inistore.h"
#include "base/sxerror.h"
#include "tests/support/testenv.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QRandomGenerator>

#include <cstdio>

namespace {

constexpr int kKills = 100;
constexpr int kWriters = 3;
constexpr int kKeysPerWriter = 300;
const QString kKillSection = QStringLiteral("Kill");

// Child: writes keys "<prefix><i>" = i for i from 0 to count (or forever when count < 0),
// printing i once each write has returned. A write refused because the others held the lock past
// the wait is tried again, as a person would; it wrote nothing.
int writeKeys(const QString& path, const QString& section, const QString& prefix, int count) {
    IniStore store(path);
    int refused = 0;
    for (int i = 0; count < 0 || i < count; ++i) {
        for (;;) {
            try {
                store.writeInteger(section, prefix + QString::number(i), i);
                break;
            } catch (const SxError&) {
                ++refused;
            }
        }
        std::printf("%d\n", i);
        std::fflush(stdout);
    }
    std::fprintf(stderr, "%d writes refused while the lock was busy\n", refused);
    return 0;
}

} // namespace

// Several running copies and writers killed at any moment, against one configuration file.
class TestIniProcesses : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    QString path() const { return m_dir.filePath(QStringLiteral("Sondrix.ini")); }
    static QString self() { return QCoreApplication::applicationFilePath(); }

private Q_SLOTS:
    void init() { QFile::remove(path()); }

    void writersKilledAtAnyMomentLoseNoReturnedWriteAndBlockNoOne() {
        QRandomGenerator random(QRandomGenerator::global()->generate());
        QStringList returned; // every key whose write returned in a killed writer
        int leftLocks = 0, leftEmptyLocks = 0, leftCopies = 0, slowest = 0;
        for (int round = 0; round < kKills; ++round) {
            const QString prefix = QStringLiteral("R%1_").arg(round);
            QProcess writer;
            writer.start(self(), {QStringLiteral("--write-keys"), path(), kKillSection, prefix,
                                  QStringLiteral("-1")});
            QVERIFY(writer.waitForStarted());
            QVERIFY(writer.waitForReadyRead(10000)); // at least one write returned
            QTest::qSleep(random.bounded(30));
            writer.kill();
            QVERIFY(writer.waitForFinished(10000));
            for (const QByteArray& line : writer.readAllStandardOutput().split('\n'))
                if (!line.isEmpty())
                    returned.append(prefix + QString::fromLatin1(line));

            const QString context = QStringLiteral("after kill %1").arg(round);
            QFile file(path());
            QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(context));
            const QByteArray bytes = file.readAll();
            file.close();
            QVERIFY2(bytes.endsWith('\n'), qPrintable(context));
            // Parses: every line is a section header, a blank or a key.
            qsizetype otherLines = 0;
            for (const QByteArray& line : bytes.split('\n'))
                otherLines += line.isEmpty() || line.startsWith('[');
            QCOMPARE(IniText(bytes).entries().size() + otherLines, bytes.count('\n') + 1);
            IniStore store(path());
            for (const QString& key : std::as_const(returned))
                QVERIFY2(store.readInteger(kKillSection, key, -1) ==
                             key.section(QLatin1Char('_'), 1).toInt(),
                         qPrintable(context + QStringLiteral(": ") + key));

            const QFileInfo lock(path() + QStringLiteral(".lock"));
            leftLocks += lock.exists();
            leftEmptyLocks += lock.exists() && lock.size() == 0;
            leftCopies += QDir(m_dir.path())
                              .entryList({QStringLiteral("Sondrix.ini.??????")}, QDir::Files)
                              .size();
            QElapsedTimer timer;
            timer.start();
            store.writeInteger(QStringLiteral("After"), QStringLiteral("Round"), round);
            slowest = std::max(slowest, int(timer.elapsed()));
            QVERIFY2(timer.elapsed() < 1000,
                     qPrintable(context + QStringLiteral(": %1 ms").arg(timer.elapsed())));
            QCOMPARE(QDir(m_dir.path())
                         .entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden |
                                    QDir::System),
                     QStringList{QStringLiteral("Sondrix.ini")});
        }
        qInfo("%d kills left a lock (%d of them empty) and %d a copy; the slowest next write "
              "took %d ms",
              leftLocks, leftEmptyLocks, leftCopies, slowest);
    }

    void threeWritersLoseNoKeyAndTheCountNeverDrops() {
        std::vector<std::unique_ptr<QProcess>> writers;
        const QStringList sections{QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C")};
        for (const QString& section : sections) {
            writers.push_back(std::make_unique<QProcess>());
            writers.back()->start(self(), {QStringLiteral("--write-keys"), path(), section,
                                           QStringLiteral("K"), QString::number(kKeysPerWriter)});
            QVERIFY(writers.back()->waitForStarted());
        }
        const auto keyCount = [&] {
            const IniStore reader(path());
            qsizetype count = 0;
            for (const QString& section : sections)
                count += reader.keys(section).size();
            return count;
        };
        qsizetype seen = 0;
        int reads = 0;
        const auto running = [&] {
            return std::any_of(writers.begin(), writers.end(), [](const auto& p) {
                return !p->waitForFinished(0) && p->state() != QProcess::NotRunning;
            });
        };
        while (running()) {
            const qsizetype count = keyCount();
            QVERIFY2(count >= seen, qPrintable(QStringLiteral("%1 after %2").arg(count).arg(seen)));
            seen = count;
            ++reads;
        }
        for (const auto& writer : writers) {
            qInfo("%s", writer->readAllStandardError().trimmed().constData());
            QCOMPARE(writer->exitStatus(), QProcess::NormalExit);
            QCOMPARE(writer->exitCode(), 0);
        }
        QVERIFY(reads > 10); // the reader ran while the writers wrote
        QCOMPARE(keyCount(), kWriters * kKeysPerWriter);
        const IniStore store(path());
        for (const QString& section : sections)
            for (int i = 0; i < kKeysPerWriter; ++i)
                QCOMPARE(store.readInteger(section, QStringLiteral("K%1").arg(i), -1), i);
    }
};

int main(int argc, char* argv[]) {
    if (argc == 6 && QByteArray(argv[1]) == "--write-keys")
        return writeKeys(QString::fromLocal8Bit(argv[2]), QString::fromLocal8Bit(argv[3]),
                         QString::fromLocal8Bit(argv[4]), QByteArray(argv[5]).toInt());
    IsolatedEnvironment environment;
    QApplication app(argc, argv);
    TestIniProcesses test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_iniprocesses.moc"
