#include "fileops/filedrag.h"
#include "base/pathcodec.h"
#include "tests/support/filetree.h"
#include "tests/support/testenv.h"

#include <QMimeData>

#include <memory>
#include <sys/stat.h>

// Files offered by a drag out of the program, and the sorting of files dropped into it.
class TestFileDrag : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init() {
        QVERIFY(m_dir.isValid());
        m_root = QFile::encodeName(m_dir.path()) + '/';
    }

    // A name that is not UTF-8 travels as its own bytes, percent-encoded one by one.
    void mimeDataKeepsRawBytes() {
        const QByteArray bytes = m_root + "caf\xe9 #1%.wav";
        filetree::writeBytes(bytes, "RIFF");
        const QString path = decodePath(bytes);
        const std::unique_ptr<QMimeData> data(fileMimeData(path));
        const QByteArray uriList = data->data(QStringLiteral("text/uri-list"));
        QCOMPARE(uriList, "file://" + m_root.toPercentEncoding("/") + "caf%E9%20%231%25.wav\r\n");
        QCOMPARE(data->urls().size(), 1);
        QCOMPARE(encodePath(localPath(data->urls().constFirst())), bytes);
        QCOMPARE(data->data(QStringLiteral("text/plain")), bytes);
        // The same list as another program hands it over in a drop.
        QMimeData received;
        received.setData(QStringLiteral("text/uri-list"), uriList);
        QCOMPARE(received.urls().size(), 1);
        QCOMPARE(encodePath(localPath(received.urls().constFirst())), bytes);
    }

    void plainNameReadsAsText() {
        const QString path = QFile::decodeName(m_root) + QStringLiteral("b\u00e4ll.wav");
        const std::unique_ptr<QMimeData> data(fileMimeData(path));
        QCOMPARE(data->text(), path);
        QCOMPARE(data->urls().constFirst().toLocalFile(), path);
    }

    void threeWavFilesInTheOrderGiven() {
        const QList<QByteArray> names = {"b.wav", "A.WAV", "c.Wav"};
        QList<QUrl> urls;
        QStringList paths;
        for (const QByteArray& name : names) {
            filetree::writeBytes(m_root + name, "RIFF");
            paths.append(decodePath(m_root + name));
            urls.append(QUrl::fromLocalFile(paths.last()));
        }
        const DroppedFiles dropped = sortDroppedUrls(urls);
        QCOMPARE(dropped.wavFiles, paths);
        QVERIFY(dropped.isPlaylistDrop());
        QVERIFY(!dropped.isDirectoryDrop());
    }

    void refusedDrops_data() {
        QTest::addColumn<QList<QByteArray>>("names");
        QTest::newRow("text file") << QList<QByteArray>{"notes.txt"};
        QTest::newRow("WAV and text") << QList<QByteArray>{"a.wav", "notes.txt"};
        QTest::newRow("missing WAV") << QList<QByteArray>{"-gone.wav"};
        QTest::newRow("remote URL") << QList<QByteArray>{"http://example.org/a.wav"};
        QTest::newRow("nothing") << QList<QByteArray>{};
    }
    // Names starting with "-" are not created; URLs with a scheme are taken as they are.
    void refusedDrops() {
        QFETCH(QList<QByteArray>, names);
        QList<QUrl> urls;
        for (const QByteArray& name : names) {
            if (name.contains("://")) {
                urls.append(QUrl::fromEncoded(name));
                continue;
            }
            if (!name.startsWith('-'))
                filetree::writeBytes(m_root + name, "RIFF");
            urls.append(fileUrl(decodePath(m_root + name)));
        }
        const DroppedFiles dropped = sortDroppedUrls(urls);
        QVERIFY(!dropped.isPlaylistDrop());
        QVERIFY(!dropped.isDirectoryDrop());
    }

    void folderGoesToTheDirectoryList() {
        const QByteArray folder = m_root + "sounds\xff";
        QCOMPARE(::mkdir(folder.constData(), 0755), 0);
        const DroppedFiles dropped = sortDroppedUrls({fileUrl(decodePath(folder))});
        QCOMPARE(dropped.directories, QStringList{decodePath(folder)});
        QVERIFY(dropped.isDirectoryDrop());
        QVERIFY(!dropped.isPlaylistDrop());
        QVERIFY(!sortDroppedUrls({fileUrl(decodePath(folder)), fileUrl(decodePath(folder))})
                     .isDirectoryDrop());
    }

private:
    QTemporaryDir m_dir;
    QByteArray m_root;
};

SONDRIX_TEST_MAIN(TestFileDrag)
#include "tst_filedrag.moc"
