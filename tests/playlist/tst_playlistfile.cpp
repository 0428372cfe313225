#include "base/pathcodec.h"
#include "base/sxerror.h"
#include "playlist/playlistfile.h"
#include "playlist/playlistmodel.h"
#include "tests/support/testenv.h"
#include "tests/support/wavfiles.h"

#include <QApplication>
#include <QDir>
#include <QProcess>
#include <QRandomGenerator>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <sys/resource.h>
#include <sys/stat.h>

// The playlist file format and the model, over real files.
class TestPlaylistFile : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    QByteArray bytesOf(const QString& path) {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
    }

private Q_SLOTS:
    void readsLines_data() {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("CR LF") << QByteArray("/a.wav\r\n/b.wav\r\n")
                               << QStringList{"/a.wav", "/b.wav"};
        QTest::newRow("LF only") << QByteArray("/a.wav\n/b.wav\n")
                                 << QStringList{"/a.wav", "/b.wav"};
        QTest::newRow("CR only") << QByteArray("/a.wav\r/b.wav\r")
                                 << QStringList{"/a.wav", "/b.wav"};
        QTest::newRow("mixed") << QByteArray("/a\r\n/b\n/c\r/d")
                               << QStringList{"/a", "/b", "/c", "/d"};
        QTest::newRow("LF CR is two ends") << QByteArray("/a\n\r/b") << QStringList{"/a", "", "/b"};
        QTest::newRow("no final end") << QByteArray("/a\r\n/b") << QStringList{"/a", "/b"};
        QTest::newRow("NUL ends the text")
            << QByteArray("/a\r\n/b\0/c\r\n", 12) << QStringList{"/a", "/b"};
        QTest::newRow("empty") << QByteArray() << QStringList{};
        QTest::newRow("one line end") << QByteArray("\r\n") << QStringList{""};
        QTest::newRow("spaces and duplicates stay") << QByteArray(" /x y.wav \r\n /x y.wav \r\n")
                                                    << QStringList{" /x y.wav ", " /x y.wav "};
    }
    void readsLines() {
        QFETCH(QByteArray, text);
        QFETCH(QStringList, lines);
        QCOMPARE(parsePlaylistText(text), lines);
    }

    void writesCrLfAfterEveryLine() {
        QCOMPARE(formatPlaylistText({"/s/a.wav", "/s/a.wav"}),
                 QByteArray("/s/a.wav\r\n/s/a.wav\r\n"));
        QCOMPARE(formatPlaylistText({}), QByteArray());
        const QString file = m_dir.filePath(QStringLiteral("lf.sxp"));
        writeTextFile(file, "/a.wav\n/b.wav");
        writePlaylistFile(file, readPlaylistFile(file));
        QCOMPARE(bytesOf(file), QByteArray("/a.wav\r\n/b.wav\r\n"));
    }

    void megabyteLineSurvives() {
        const QString line = QLatin1Char('/') + QString(1 << 20, QLatin1Char('x'));
        const QString file = m_dir.filePath(QStringLiteral("long.sxp"));
        writePlaylistFile(file, {line, QStringLiteral("/short.wav")});
        QCOMPARE(readPlaylistFile(file), (QStringList{line, QStringLiteral("/short.wav")}));
    }

    void namesThatAreNotUtf8RoundTrip() {
        const QByteArray raw(
            "/snd/caf\xe9 \xff\xfe.wav\r\n/snd/\xe2\x82\xac ok.wav\r\n/x/\xed\xa0\x80.wav\r\n");
        const QString file = m_dir.filePath(QStringLiteral("latin1.sxp"));
        writeTextFile(file, raw);
        const QStringList paths = readPlaylistFile(file);
        QCOMPARE(paths.size(), 3);
        QCOMPARE(paths.at(1), QString::fromUtf8("/snd/\xe2\x82\xac ok.wav"));
        writePlaylistFile(file, paths);
        QCOMPARE(bytesOf(file), raw);
    }

    void pathCodecIsByteExact_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("byte-order mark at the start") << QByteArray("\xEF\xBB\xBF/a.wav");
        QTest::newRow("mark after an invalid byte") << QByteArray("/x\xFF\xEF\xBB\xBF.wav");
        QTest::newRow("two marks") << QByteArray("\xEF\xBB\xBF\xEF\xBB\xBF");
        QTest::newRow("encoded surrogate") << QByteArray("/\xED\xA0\x80\xED\xB0\x80");
        QTest::newRow("four-byte character") << QByteArray("/\xF0\x9F\x8E\xB5.wav");
        QTest::newRow("truncated sequence") << QByteArray("/\xE2\x82");
    }
    void pathCodecIsByteExact() {
        QFETCH(QByteArray, bytes);
        const QString decoded = decodePath(bytes);
        QCOMPARE(encodePath(decoded), bytes);
        QCOMPARE(decodePath(encodePath(decoded)), decoded);
        const QString file = m_dir.filePath(QStringLiteral("codec.sxp"));
        writeTextFile(file, bytes + "\r\n");
        const QStringList paths = readPlaylistFile(file);
        QCOMPARE(paths, QStringList{decoded});
        writePlaylistFile(file, paths);
        QCOMPARE(bytesOf(file), bytes + "\r\n");
    }

    // A save never writes a line that would read back as another path; the file stays as it was.
    void aLineThatWouldReadBackOtherwiseIsNeverWritten_data() {
        QTest::addColumn<QString>("path");
        QTest::newRow("LF") << QStringLiteral("/a\nb.wav");
        QTest::newRow("CR") << QStringLiteral("/a\rb.wav");
        QTest::newRow("NUL") << QStringLiteral("/a") + QChar(0) + QStringLiteral("b.wav");
        QTest::newRow("two stray bytes that spell a character")
            << decodePath("/\xC3") + decodePath("\xA9.wav");
    }
    void aLineThatWouldReadBackOtherwiseIsNeverWritten() {
        QFETCH(QString, path);
        const QString file = m_dir.filePath(QStringLiteral("guard.sxp"));
        writeTextFile(file, "/old.wav\r\n");
        QVERIFY_THROWS_EXCEPTION(SxError,
                                 writePlaylistFile(file, {QStringLiteral("/ok.wav"), path}));
        QCOMPARE(bytesOf(file), QByteArray("/old.wav\r\n"));
    }

    void randomBytesSurviveTheCodec() {
        // Bytes that start, continue or break sequences, the byte-order mark's among them.
        const QByteArray alphabet("\xEF\xBB\xBF\xFF\x80\xC3\xA9\xE2\x82\xAC\xED\xA0\xF0\x9F/a");
        QRandomGenerator random(20);
        for (int round = 0; round < 20000; ++round) {
            QByteArray bytes(random.bounded(12), Qt::Uninitialized);
            for (char& c : bytes)
                c = alphabet[random.bounded(alphabet.size())];
            const QString decoded = decodePath(bytes);
            QCOMPARE(encodePath(decoded), bytes);
            QCOMPARE(decodePath(encodePath(decoded)), decoded);
        }
    }

    void onlyARegularFileIsReadAsAPlaylist_data() {
        QTest::addColumn<bool>("fifo");
        QTest::newRow("FIFO") << true;
        QTest::newRow("link to /dev/zero") << false;
    }
    void onlyARegularFileIsReadAsAPlaylist() {
        QFETCH(bool, fifo);
        const QString file = m_dir.filePath(QStringLiteral("odd.sxp"));
        QFile::remove(file);
        if (fifo)
            QCOMPARE(::mkfifo(QFile::encodeName(file).constData(), 0600), 0);
        else
            QVERIFY(QFile::link(QStringLiteral("/dev/zero"), file));
        try {
            readPlaylistFile(file);
            QFAIL("the read succeeded");
        } catch (const SxError& e) {
            QCOMPARE(e.message(), QStringLiteral("Cannot open file %1").arg(file));
        }
    }

    void realFileWithInvalidNameIsFound() {
        const QByteArray name = QFile::encodeName(m_dir.path()) + "/b\xe9ll.wav";
        FILE* f = fopen(name.constData(), "w");
        QVERIFY(f);
        fclose(f);
        QVERIFY(isExistingFile(decodePath(name)));
        QVERIFY(!isExistingFile(QStringLiteral("bell.wav"))); // no directory part
        QVERIFY(!isExistingFile(m_dir.path()));               // a directory is no file
    }

    void readOnlyTargetIsRefusedAndKept() {
        const QString file = m_dir.filePath(QStringLiteral("ro.sxp"));
        writeTextFile(file, "/old.wav\r\n");
        QVERIFY(QFile::setPermissions(file, QFileDevice::ReadOwner));
        try {
            writePlaylistFile(file, {QStringLiteral("/new.wav")});
            QFAIL("a read-only playlist was replaced");
        } catch (const SxError& e) {
            QCOMPARE(e.message(), QStringLiteral("Cannot create file %1").arg(file));
        }
        QCOMPARE(bytesOf(file), QByteArray("/old.wav\r\n"));
        QVERIFY_THROWS_EXCEPTION(SxError,
                                 readPlaylistFile(m_dir.filePath(QStringLiteral("none.sxp"))));
    }

    void symlinkedPlaylistKeepsItsLink() {
        const QString target = m_dir.filePath(QStringLiteral("real.sxp"));
        const QString link = m_dir.filePath(QStringLiteral("link.sxp"));
        writeTextFile(target, "/old.wav\r\n");
        QVERIFY(QFile::setPermissions(target, QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                  QFileDevice::ReadGroup));
        QVERIFY(QFile::link(target, link));
        writePlaylistFile(link, {QStringLiteral("/new.wav")});
        QVERIFY(QFileInfo(link).isSymLink());
        QCOMPARE(bytesOf(target), QByteArray("/new.wav\r\n"));
        QVERIFY(QFile::permissions(target) & QFileDevice::ReadGroup);
    }

    void fullDiskLeavesThePreviousFile() {
        const QString dir = m_dir.filePath(QStringLiteral("full"));
        QDir().mkpath(dir);
        const QString file = dir + QStringLiteral("/party.sxp");
        writeTextFile(file, "/kept.wav\r\n");
        QProcess child;
        child.start(QCoreApplication::applicationFilePath(),
                    {QStringLiteral("--save-limited"), file});
        QVERIFY(child.waitForFinished(60000));
        QCOMPARE(QString::fromUtf8(child.readAllStandardOutput()).trimmed(),
                 QStringLiteral("Stream write error: ") + QString::fromLocal8Bit(strerror(EFBIG)));
        QCOMPARE(bytesOf(file), QByteArray("/kept.wav\r\n"));
        QCOMPARE(QDir(dir).entryList(QDir::Files | QDir::Hidden),
                 QStringList{QStringLiteral("party.sxp")});
    }

    void modelAndDisplayNeverDiverge() {
        // A reference list of (path, display) checked after every random edit.
        PlaylistModel model;
        QList<std::pair<QString, QString>> reference;
        QRandomGenerator random(1234);
        bool showPath = false;
        for (int step = 0; step < 3000; ++step) {
            const int n = model.count();
            switch (random.bounded(6)) {
            case 0:
            case 1: {
                const QString path =
                    QStringLiteral("/d%1/f%2.wav").arg(random.bounded(3)).arg(random.bounded(5));
                model.append(path, playlistDisplayText(path, showPath));
                reference.append({path, playlistDisplayText(path, showPath)});
                break;
            }
            case 2:
                if (n > 0) {
                    const int i = static_cast<int>(random.bounded(n));
                    model.removeAt(i);
                    reference.removeAt(i);
                }
                break;
            case 3:
                if (n > 1) {
                    const int from = static_cast<int>(random.bounded(n));
                    const int to = static_cast<int>(random.bounded(n));
                    if (from != to) {
                        model.move(from, to);
                        reference.move(from, to);
                    }
                }
                break;
            case 4:
                showPath = !showPath;
                model.rebuildDisplay(showPath);
                for (auto& entry : reference)
                    entry.second = playlistDisplayText(entry.first, showPath);
                break;
            case 5:
                if (random.bounded(20) == 0) {
                    model.clear();
                    reference.clear();
                }
                break;
            }
            QCOMPARE(model.count(), reference.size());
            QCOMPARE(model.rowCount(), reference.size());
            for (int i = 0; i < model.count(); ++i) {
                QCOMPARE(model.path(i), reference.at(i).first);
                QCOMPARE(model.data(model.index(i), Qt::DisplayRole).toString(),
                         reference.at(i).second);
            }
        }
    }
};

int main(int argc, char* argv[]) {
    if (argc == 3 && QByteArray(argv[1]) == "--save-limited") {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{4096, 4096};
        setrlimit(RLIMIT_FSIZE, &limit);
        try {
            writePlaylistFile(
                QString::fromLocal8Bit(argv[2]),
                QStringList(2000, QStringLiteral("/a/rather/long/path/to/a/sound.wav")));
            printf("saved\n");
        } catch (const SxError& e) {
            printf("%s\n", e.message().toUtf8().constData());
        }
        return 0;
    }
    IsolatedEnvironment environment;
    QApplication app(argc, argv);
    TestPlaylistFile test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_playlistfile.moc"
