#include "fileops/filedelete.h"
#include "fileops/filerename.h"
#include "tests/support/filetree.h"

#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>

using namespace filetree;

class TestFileRename : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    QByteArray m_path; // the folder, with its trailing "/"

private Q_SLOTS:
    void init() {
        QVERIFY(m_dir.isValid());
        m_path = QFile::encodeName(m_dir.path()) + '/';
        QVERIFY(clearDirectory(m_path));
    }

    void newPathIsTheNameAsTypedWithWav_data() {
        QTest::addColumn<QByteArray>("oldName");
        QTest::addColumn<QByteArray>("typed");
        QTest::addColumn<QByteArray>("newName");
        QTest::newRow("plain") << QByteArray("a.wav") << QByteArray("kick")
                               << QByteArray("kick.wav");
        QTest::newRow("typed with extension")
            << QByteArray("a.wav") << QByteArray("loop.wav") << QByteArray("loop.wav.wav");
        QTest::newRow("upper-case extension")
            << QByteArray("DRUM.WAV") << QByteArray("DRUM") << QByteArray("DRUM.wav");
        QTest::newRow("spaces kept")
            << QByteArray("a.wav") << QByteArray(" b ") << QByteArray(" b .wav");
        QTest::newRow("not UTF-8")
            << QByteArray("\xff.wav") << QByteArray("\xfe\xe9") << QByteArray("\xfe\xe9.wav");
    }
    void newPathIsTheNameAsTypedWithWav() {
        QFETCH(QByteArray, oldName);
        QFETCH(QByteArray, typed);
        QFETCH(QByteArray, newName);
        writeBytes(m_path + oldName, "RIFF");
        QCOMPARE(renamedWavPath(m_path + oldName, typed), m_path + newName);
        QVERIFY(renameWav(m_path + oldName, typed));
        QCOMPARE(entries(m_path), QByteArrayList{newName});
        QCOMPARE(readBytes(m_path + newName), QByteArray("RIFF"));
    }

    void existingNameIsNeverReplaced() {
        writeBytes(m_path + "a.wav", "first");
        writeBytes(m_path + "b.wav", "second");
        QVERIFY(!renameWav(m_path + "a.wav", "b"));
        QCOMPARE(readBytes(m_path + "a.wav"), QByteArray("first"));
        QCOMPARE(readBytes(m_path + "b.wav"), QByteArray("second"));
    }

    void emptyNameIsRefused() {
        writeBytes(m_path + "a.wav", "RIFF");
        QVERIFY(!renameWav(m_path + "a.wav", QByteArray()));
        QCOMPARE(entries(m_path), QByteArrayList{"a.wav"});
    }

    void missingFileIsNotRenamed() {
        QVERIFY(!renameNoReplace(m_path + "gone.wav", m_path + "new.wav"));
        QVERIFY(entries(m_path).isEmpty());
    }

    void deleteRemovesAWritableFile_data() {
        QTest::addColumn<QByteArray>("name");
        QTest::newRow("plain") << QByteArray("a.wav");
        QTest::newRow("not UTF-8") << QByteArray("\xff\xfe.wav");
    }
    void deleteRemovesAWritableFile() {
        QFETCH(QByteArray, name);
        writeBytes(m_path + name, "RIFF");
        writeBytes(m_path + "other.wav", "RIFF");
        QVERIFY(deleteWavFile(m_path + name));
        QCOMPARE(entries(m_path), QByteArrayList{"other.wav"});
    }

    void deleteRefusesAReadOnlyOrMissingFile() {
        writeBytes(m_path + "locked.wav", "RIFF");
        QCOMPARE(::chmod((m_path + "locked.wav").constData(), 0444), 0);
        QVERIFY(!deleteWavFile(m_path + "locked.wav"));
        QCOMPARE(readBytes(m_path + "locked.wav"), QByteArray("RIFF"));
        QVERIFY(!deleteWavFile(m_path + "gone.wav"));
    }
};

QTEST_GUILESS_MAIN(TestFileRename)
#include "tst_filerename.moc"
