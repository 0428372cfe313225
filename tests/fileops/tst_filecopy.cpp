#include "fileops/filecopy.h"
#include "base/filehandle.h"
#include "tests/support/filetree.h"

#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace filetree;
using Status = CopyOutcome::Status;

class TestFileCopy : public QObject {
    Q_OBJECT

    QTemporaryDir m_root;
    QByteArray m_from; // source directory, with its trailing "/"
    QByteArray m_to;   // destination directory, with its trailing "/"

    QByteArray source(const QByteArray& name, const QByteArray& content) {
        writeBytes(m_from + name, content);
        return m_from + name;
    }

private Q_SLOTS:
    void init() {
        QVERIFY(m_root.isValid());
        const QByteArray root = QFile::encodeName(m_root.path());
        m_from = root + "/from/";
        m_to = root + "/to/";
        QVERIFY(QDir().mkpath(QFile::decodeName(m_from)));
        QVERIFY(QDir().mkpath(QFile::decodeName(m_to)));
    }

    void cleanup() { QVERIFY(clearDirectory(QFile::encodeName(m_root.path()))); }

    void copiesByteForByte_data() {
        QTest::addColumn<qint64>("size");
        QTest::newRow("empty") << qint64(0);
        QTest::newRow("one byte") << qint64(1);
        QTest::newRow("one chunk") << kCopyChunkSize;
        QTest::newRow("three chunks and a byte") << kCopyChunkSize * 3 + 1;
    }
    void copiesByteForByte() {
        QFETCH(qint64, size);
        const QByteArray content = patternBytes(size);
        const QByteArray path = source("tone.wav", content);
        QCOMPARE(copyFileInto(path, m_to).status, Status::Copied);
        QCOMPARE(readBytes(m_to + "tone.wav"), content);
        QCOMPARE(readBytes(path), content);
        QCOMPARE(entries(m_to), QByteArrayList{"tone.wav"});
    }

    void copyIsLeftWritableByItsOwner() {
        const QByteArray path = source("locked.wav", "RIFF");
        QCOMPARE(::chmod(path.constData(), 0444), 0);
        const mode_t mask = ::umask(027);
        const CopyOutcome outcome = copyFileInto(path, m_to);
        ::umask(mask);
        QCOMPARE(outcome.status, Status::Copied);
        QCOMPARE(modeOf(m_to + "locked.wav"), 0640u);
    }

    void destinationWithoutTrailingSeparator() {
        const QByteArray path = source("a.wav", "abc");
        QCOMPARE(copyFileInto(path, m_to.chopped(1)).status, Status::Copied);
        QCOMPARE(readBytes(m_to + "a.wav"), QByteArray("abc"));
    }

    void sameDirectoryIsRefused() {
        const QByteArray path = source("a.wav", "abc");
        QCOMPARE(copyFileInto(path, m_from).status, Status::SameDirectory);
        QCOMPARE(readBytes(path), QByteArray("abc"));
        QCOMPARE(entries(m_from), QByteArrayList{"a.wav"});
    }

    void sourceReachedThroughAnotherPathIsNeverTruncated_data() {
        QTest::addColumn<bool>("linkedDirectory"); // else a hard link to the file itself
        QTest::newRow("symbolic link to the directory") << true;
        QTest::newRow("hard link to the file") << false;
    }
    void sourceReachedThroughAnotherPathIsNeverTruncated() {
        QFETCH(bool, linkedDirectory);
        const QByteArray content = patternBytes(kCopyChunkSize + 5);
        const QByteArray path = source("a.wav", content);
        QByteArray destDir = m_to;
        if (linkedDirectory) {
            destDir = m_to + "link/";
            QCOMPARE(::symlink(m_from.constData(), destDir.chopped(1).constData()), 0);
        } else {
            QCOMPARE(::link(path.constData(), (m_to + "a.wav").constData()), 0);
        }
        const CopyOutcome outcome = copyFileInto(path, destDir);
        QCOMPARE(outcome.status, Status::Failed);
        QCOMPARE(outcome.message,
                 QStringLiteral("Cannot create file ") + QFile::decodeName(destDir + "a.wav"));
        QCOMPARE(readBytes(path), content);
        QCOMPARE(entries(m_from), QByteArrayList{"a.wav"});
    }

    void writableDestinationIsReplaced() {
        writeBytes(m_to + "a.wav", patternBytes(3 * kCopyChunkSize));
        const QByteArray path = source("a.wav", "new");
        QCOMPARE(copyFileInto(path, m_to).status, Status::Copied);
        QCOMPARE(readBytes(m_to + "a.wav"), QByteArray("new"));
        QCOMPARE(entries(m_to), QByteArrayList{"a.wav"});
    }

    void linkAtTheDestinationKeepsNamingItsFile() {
        const QByteArray elsewhere = m_to + "real.wav";
        writeBytes(elsewhere, "old");
        QCOMPARE(::symlink("real.wav", (m_to + "a.wav").constData()), 0);
        QCOMPARE(copyFileInto(source("a.wav", "new"), m_to).status, Status::Copied);
        QCOMPARE(readBytes(elsewhere), QByteArray("new"));
        char target[64] = {};
        QVERIFY(::readlink((m_to + "a.wav").constData(), target, sizeof target - 1) > 0);
        QCOMPARE(QByteArray(target), QByteArray("real.wav"));
    }

    void unwritableOrOddDestinationIsRefused_data() {
        QTest::addColumn<bool>("directory"); // else a read-only file
        QTest::newRow("read-only file") << false;
        QTest::newRow("directory of that name") << true;
    }
    void unwritableOrOddDestinationIsRefused() {
        QFETCH(bool, directory);
        const QByteArray dest = m_to + "a.wav";
        if (directory) {
            QCOMPARE(::mkdir(dest.constData(), 0755), 0);
        } else {
            writeBytes(dest, "keep");
            QCOMPARE(::chmod(dest.constData(), 0444), 0);
        }
        const CopyOutcome outcome = copyFileInto(source("a.wav", "new"), m_to);
        QCOMPARE(outcome.status, Status::Failed);
        QCOMPARE(outcome.message, QStringLiteral("Cannot create file ") + QFile::decodeName(dest));
        if (!directory)
            QCOMPARE(readBytes(dest), QByteArray("keep"));
        QCOMPARE(entries(m_to), QByteArrayList{"a.wav"});
    }

    void unreadableSourceIsReportedAtOnce_data() {
        QTest::addColumn<bool>("fifo"); // else missing
        QTest::newRow("FIFO") << true;
        QTest::newRow("missing") << false;
    }
    void unreadableSourceIsReportedAtOnce() {
        QFETCH(bool, fifo);
        const QByteArray path = m_from + "x.wav";
        if (fifo)
            QCOMPARE(::mkfifo(path.constData(), 0644), 0);
        const CopyOutcome outcome = copyFileInto(path, m_to);
        QCOMPARE(outcome.status, Status::SourceUnreadable);
        QCOMPARE(outcome.message, QStringLiteral("Cannot open file ") + QFile::decodeName(path));
        QVERIFY(entries(m_to).isEmpty());
    }

    void failureHalfWayLeavesTheOldDestination() {
        const QByteArray old = patternBytes(1000);
        writeBytes(m_to + "a.wav", old);
        const QByteArray path = source("a.wav", patternBytes(kCopyChunkSize * 3 + 1));
        const pid_t child = ::fork();
        QVERIFY(child >= 0);
        if (child == 0) {
            // The file size limit makes a write fail part of the way through the copy.
            ::signal(SIGXFSZ, SIG_IGN);
            const rlimit limit{kCopyChunkSize + 100, kCopyChunkSize + 100};
            ::setrlimit(RLIMIT_FSIZE, &limit);
            const CopyOutcome outcome = copyFileInto(path, m_to);
            ::_exit(outcome.status == Status::Failed &&
                            outcome.message == QStringLiteral("Stream write error: ") +
                                                   QString::fromLocal8Bit(::strerror(EFBIG))
                        ? 0
                        : 1);
        }
        int status = 0;
        QCOMPARE(::waitpid(child, &status, 0), child);
        QVERIFY(WIFEXITED(status));
        QCOMPARE(WEXITSTATUS(status), 0);
        QCOMPARE(readBytes(m_to + "a.wav"), old);
        QCOMPARE(entries(m_to), QByteArrayList{"a.wav"});
    }

    void killedCopyLeavesNothing() {
        const QByteArray path = source("a.wav", patternBytes(kCopyChunkSize * 3 + 1));
        const pid_t child = ::fork();
        QVERIFY(child >= 0);
        if (child == 0) {
            // Past the file size limit the system ends the process, half-way through the copy.
            const rlimit noCore{0, 0};
            ::setrlimit(RLIMIT_CORE, &noCore);
            ::signal(SIGXFSZ, SIG_DFL);
            const rlimit limit{kCopyChunkSize + 100, kCopyChunkSize + 100};
            ::setrlimit(RLIMIT_FSIZE, &limit);
            copyFileInto(path, m_to);
            ::_exit(0);
        }
        int status = 0;
        QCOMPARE(::waitpid(child, &status, 0), child);
        QVERIFY(WIFSIGNALED(status));
        QCOMPARE(WTERMSIG(status), SIGXFSZ);
        QVERIFY(entries(m_to).isEmpty());
    }

    void staleNamedCopiesAreRemovedButNoOtherFile() {
        const QByteArray running = m_to + ".sondrix-copy-d4E5f6";
        writeBytes(m_to + ".sondrix-copy-a1B2c3", "killed");
        writeBytes(running, "running");
        writeBytes(m_to + ".sondrix-copy-notes", "a person's");
        writeBytes(m_to + "a.wav", "RIFF");
        FileHandle held(::open(running.constData(), O_RDONLY | O_CLOEXEC));
        QVERIFY(held.valid());
        QCOMPARE(::flock(held.get(), LOCK_EX), 0);
        removeStaleCopies(m_to);
        QCOMPARE(entries(m_to),
                 (QByteArrayList{".sondrix-copy-d4E5f6", ".sondrix-copy-notes", "a.wav"}));
    }

    void nameThatIsNotUtf8KeepsItsBytes() {
        const QByteArray name("caf\xe9 \xff.wav");
        const QByteArray content = patternBytes(100);
        QCOMPARE(copyFileInto(source(name, content), m_to).status, Status::Copied);
        QCOMPARE(entries(m_to), QByteArrayList{name});
        QCOMPARE(readBytes(m_to + name), content);
    }
};

QTEST_GUILESS_MAIN(TestFileCopy)
#include "tst_filecopy.moc"
