#include "base/pathcodec.h"
#include "playback/soundfileinfo.h"
#include "playback/soundinfoprovider.h"
#include "tests/support/testenv.h"
#include "tests/support/wavfiles.h"

#include <QFileInfo>
#include <QLocale>
#include <QSignalSpy>

#include <cstdio>
#include <sndfile.h>
#include <sys/stat.h>

namespace {

QString sizeLine(const QString& path) {
    const QFileInfo info(path);
    if (!info.exists())
        qFatal("no file at %s", qPrintable(path));
    return QStringLiteral("Size: ") + QLocale::c().formattedDataSize(info.size());
}

} // namespace

// The tooltip text of a hovered file, and its reading off the user-interface thread.
class TestSoundFileInfo : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void soundFileText_data() {
        QTest::addColumn<int>("sampleRate");
        QTest::addColumn<int>("channels");
        QTest::addColumn<int>("format");
        QTest::addColumn<double>("seconds");
        QTest::addColumn<QString>("expected");
        QTest::newRow("24-bit 96 kHz stereo")
            << 96000 << 2 << (SF_FORMAT_WAV | SF_FORMAT_PCM_24) << 1.5
            << QStringLiteral("96000 Hz, 24-bit, stereo\nLength: 0:1.50");
        QTest::newRow("u-law mono") << 8000 << 1 << (SF_FORMAT_WAV | SF_FORMAT_ULAW) << 0.25
                                    << QStringLiteral("8000 Hz, \u00b5-law, mono\nLength: 0:0.25");
        QTest::newRow("float six channels")
            << 48000 << 6 << (SF_FORMAT_WAV | SF_FORMAT_FLOAT) << 0.5
            << QStringLiteral("48000 Hz, 32-bit float, 6 channels\nLength: 0:0.50");
        // The last block is filled up: 44 blocks of 1017 frames.
        QTest::newRow("IMA ADPCM") << 22050 << 1 << (SF_FORMAT_WAV | SF_FORMAT_IMA_ADPCM) << 2.0
                                   << QStringLiteral("22050 Hz, IMA ADPCM, mono\nLength: 0:2.03");
    }
    void soundFileText() {
        QFETCH(int, sampleRate);
        QFETCH(int, channels);
        QFETCH(int, format);
        QFETCH(double, seconds);
        QFETCH(QString, expected);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("sound.wav"));
        QVERIFY(writeTone(path, {sampleRate, channels, format, seconds, 440.0}));
        QCOMPARE(soundFileInfoText(path), expected + QLatin1Char('\n') + sizeLine(path));
    }

    void rawByteNameIsRead() {
        QTemporaryDir dir;
        const QString written = dir.filePath(QStringLiteral("tone.wav"));
        QVERIFY(writeTone(written, {44100, 1, 0, 0.5, 440.0}));
        const QByteArray bytes = QFile::encodeName(dir.path()) + "/t\xf6ne.wav";
        QCOMPARE(::rename(QFile::encodeName(written).constData(), bytes.constData()), 0);
        QCOMPARE(soundFileInfoText(decodePath(bytes)).section(QLatin1Char('\n'), 0, 1),
                 QStringLiteral("44100 Hz, 16-bit, mono\nLength: 0:0.50"));
    }

    void textFileNamedWavGivesOneLineReason() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("x.wav"));
        writeTextFile(path, "these are words, not sound\n");
        const QString text = soundFileInfoText(path);
        QVERIFY2(text.startsWith(QStringLiteral("Cannot read: ")), qPrintable(text));
        QVERIFY2(text.size() > 15 && !text.contains(QLatin1Char('\n')), qPrintable(text));
    }

    void missingFileSaysSo() {
        QTemporaryDir dir;
        QCOMPARE(soundFileInfoText(dir.filePath(QStringLiteral("gone.wav"))),
                 QStringLiteral("File not found."));
    }

    // Nobody writes into the FIFO: a blocking open would hang here.
    void fifoIsNotOpened() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("pipe.wav"));
        QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0644), 0);
        QCOMPARE(soundFileInfoText(path), QStringLiteral("Not a regular file."));
        QCOMPARE(soundFileInfoText(dir.path()), QStringLiteral("Not a regular file."));
    }

    void providerReadsOnceAndRereadsAChangedFile() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("tone.wav"));
        QVERIFY(writeTone(path, {44100, 1, 0, 1.0, 440.0}));
        SoundInfoProvider provider;
        QSignalSpy ready(&provider, &SoundInfoProvider::infoReady);
        QVERIFY(!provider.request(path).has_value());
        QVERIFY(ready.wait());
        QCOMPARE(ready.count(), 1);
        QCOMPARE(ready.at(0).at(0).toString(), path);
        QCOMPARE(ready.at(0).at(1).toString(), soundFileInfoText(path));
        QCOMPARE(provider.request(path), std::optional<QString>(soundFileInfoText(path)));

        QVERIFY(writeTone(path, {44100, 1, 0, 2.0, 440.0}));
        QVERIFY(!provider.request(path).has_value());
        QVERIFY(ready.wait());
        QVERIFY2(ready.at(1).at(1).toString().contains(QStringLiteral("Length: 0:2.00")),
                 qPrintable(ready.at(1).at(1).toString()));
        QCOMPARE(ready.count(), 2);
    }

    // Moving over many entries reads only the one the mouse stopped at, or few more.
    void providerSkipsOvertakenRequests() {
        QTemporaryDir dir;
        SoundInfoProvider provider;
        QSignalSpy ready(&provider, &SoundInfoProvider::infoReady);
        const int files = 200;
        QStringList paths;
        for (int i = 0; i < files; ++i) {
            paths.append(dir.filePath(QStringLiteral("%1.wav").arg(i)));
            QVERIFY(writeTone(paths.last(), {8000, 1, 0, 0.01, 440.0}));
        }
        for (const QString& path : paths)
            QVERIFY(!provider.request(path).has_value());
        QTRY_VERIFY(!ready.isEmpty() && ready.last().at(0).toString() == paths.last());
        QVERIFY2(ready.count() < files, qPrintable(QString::number(ready.count())));
    }
};

SONDRIX_TEST_MAIN(TestSoundFileInfo)
#include "tst_soundfileinfo.moc"
