#include "playback/playbackcontrol.h"
#include "tests/playback/capture.h"
#include "tests/support/testenv.h"
#include "tests/support/wavfiles.h"

#include <QApplication>
#include <QElapsedTimer>

namespace {

constexpr size_t kLoopPassFrames = 14400; // a 0.3 s file at the output's 48 kHz

// What playback control signals, as the window would show it.
struct RecordingDisplay {
    void listenTo(PlaybackControl& control) {
        QObject::connect(&control, &PlaybackControl::progressChanged,
                         [this](int percent) { progress.append(percent); });
        QObject::connect(&control, &PlaybackControl::lengthTextChanged,
                         [this](const QString& text) { lengthText = text; });
    }
    QList<int> progress;
    QString lengthText;
};

} // namespace

// Playback control over a real device and output: flags, the play loop, the poll and the bar.
class TestPlaybackControl : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    std::unique_ptr<CapturedOutput> m_capture;
    std::unique_ptr<MediaPlayer> m_player;
    RecordingDisplay m_display;
    std::unique_ptr<PlaybackControl> m_control;

    QString tone(const QString& name, double seconds, int rate = 8000) {
        const QString file = m_dir.filePath(name);
        if (!QFile::exists(file) && !writeTone(file, ToneSpec{rate, 1, 0, seconds, 440.0}))
            qFatal("cannot write %s", qPrintable(file));
        return file;
    }
    void waitUntilStopped() {
        QElapsedTimer t;
        t.start();
        while (m_control->timer().isActive() && t.elapsed() < 15000)
            QTest::qWait(20);
    }
    std::vector<Burst> bursts() {
        m_control.reset();
        m_player.reset();
        return findBursts(m_capture->finish(), 480);
    }

private Q_SLOTS:
    void init() {
        m_capture = std::make_unique<CapturedOutput>();
        m_player = std::make_unique<MediaPlayer>(m_capture->output());
        m_display = RecordingDisplay();
        m_control = std::make_unique<PlaybackControl>(*m_player);
        m_display.listenTo(*m_control);
    }
    void cleanup() {
        m_control.reset();
        m_player.reset();
        m_capture.reset();
    }

    void lengthText_data() {
        QTest::addColumn<qint64>("ms");
        QTest::addColumn<QString>("text");
        QTest::newRow("1234") << qint64(1234) << "0:1.23";
        QTest::newRow("5 s") << qint64(5000) << "0:5.00";
        QTest::newRow("75 s") << qint64(75000) << "1:15.00";
        QTest::newRow("one minute") << qint64(60000) << "1:0.00";
        QTest::newRow("seconds round up into the minutes") << qint64(119996) << "2:0.00";
        QTest::newRow("a half hundredth to even") << qint64(1235) << "0:1.24";
        QTest::newRow("two hours") << qint64(7200000) << "120:0.00";
        QTest::newRow("zero") << qint64(0) << "0:0.00";
    }
    void lengthText() {
        QFETCH(qint64, ms);
        QFETCH(QString, text);
        QCOMPARE(PlaybackControl::lengthText(ms), text);
    }

    void roundsHalfToEven() {
        QCOMPARE(PlaybackControl::roundHalfEven(2.5), 2);
        QCOMPARE(PlaybackControl::roundHalfEven(3.5), 4);
        QCOMPARE(PlaybackControl::roundHalfEven(49.5), 50);
        QCOMPARE(PlaybackControl::roundHalfEven(50.5), 50);
        QCOMPARE(PlaybackControl::roundHalfEven(50.51), 51);
    }

    void playOnceClimbsThenDropsToZeroAndCloses() {
        m_control->playFile(tone(QStringLiteral("once.wav"), 0.6), false);
        QCOMPARE(m_display.lengthText, QStringLiteral("0:0.60"));
        QVERIFY(m_control->timer().isActive());
        waitUntilStopped();
        QVERIFY(!m_player->isOpen());
        QCOMPARE(m_display.progress.last(), 0);
        QVERIFY(m_display.progress.contains(100));
        QVERIFY(std::any_of(m_display.progress.cbegin(), m_display.progress.cend(),
                            [](int p) { return p > 0 && p < 100; }));
        QCOMPARE(m_display.lengthText, QStringLiteral("0:0.60"));
        QVERIFY(m_control->flags().stopRequest); // left set until the next start step
        QCOMPARE(bursts().size(), size_t(1));
    }

    void loopRepeatsUntilStopped_data() {
        QTest::addColumn<QString>("how");
        QTest::newRow("Stop") << "stop";
        QTest::newRow("Esc") << "escape";
        QTest::newRow("plain click on the bar") << "bar";
    }
    void loopRepeatsUntilStopped() {
        QFETCH(QString, how);
        QTimer::singleShot(1100, this, [&] {
            if (how == QLatin1String("stop"))
                m_control->stopPlaying();
            else if (how == QLatin1String("escape"))
                m_control->abortAll();
            else
                m_control->seekAtClick(Qt::LeftButton, {}, 10, 100);
        });
        m_control->playFile(tone(QStringLiteral("loop.wav"), 0.3), true); // returns after the stop
        QVERIFY(!m_control->timer().isActive());
        QVERIFY(!m_player->isOpen());
        QVERIFY(!m_control->flags().loop);
        QCOMPARE(m_control->flags().playlistAbort, how != QLatin1String("stop"));
        const auto played = bursts();
        QCOMPARE(played.size(), size_t(1)); // the passes follow each other without a gap
        QVERIFY2(played[0].length >= 2 * kLoopPassFrames, "the loop did not repeat");
    }

    void aLoopGoesOnWhenItsOutputIsLost() {
        m_capture->loseDevice();
        QTimer::singleShot(300, this, [&] { m_capture->restoreDevice(); });
        QTimer::singleShot(1300, this, [&] { m_control->stopPlaying(); });
        m_control->playFile(tone(QStringLiteral("lost.wav"), 0.3), true); // returns after the stop
        QVERIFY(!m_player->isOpen());
        const auto played = bursts();
        QVERIFY(!played.empty());
        QVERIFY2(played.back().length >= 2 * kLoopPassFrames,
                 "the loop did not go on on the output opened anew");
    }

    void ctrlClickSeeksToTheClickedShare() {
        m_control->playFile(tone(QStringLiteral("ten.wav"), 10.0), false);
        QTest::qWait(150);
        m_control->seekAtClick(Qt::LeftButton, Qt::ControlModifier, 50, 100);
        QCOMPARE(m_display.progress.last(), 50);
        QVERIFY(m_player->position() >= 5000 && m_player->position() < 5200);
        QCOMPARE(m_player->mode(), MediaPlayer::Mode::Playing);
        m_control->abortAll();
        QVERIFY(!m_player->isOpen());
    }

    void ctrlClickWithNothingPlayingDoesNothing() {
        m_control->seekAtClick(Qt::LeftButton, Qt::ControlModifier, 50, 100);
        QVERIFY(m_display.progress.isEmpty());
        QVERIFY(!m_player->isOpen());
        m_control->seekAtClick(Qt::RightButton, {}, 50, 100); // any other press
        QVERIFY(!m_control->flags().stopRequest);
    }

    void plainPlayInsideALoopEndsTheLoopWhenItEnds() {
        const QString b = tone(QStringLiteral("b.wav"), 0.3);
        bool innerReturned = false;
        QTimer::singleShot(400, this, [&] {
            m_control->playFile(b, false);
            innerReturned = true;
            QVERIFY(!m_control->flags().loop);
        });
        m_control->playFile(tone(QStringLiteral("a.wav"), 0.25), true);
        QVERIFY(innerReturned);
        QVERIFY(!m_control->timer().isActive());
        QVERIFY(!m_player->isOpen());
        QCOMPARE(m_player->fileName(), b);
    }

    void loopInsideALoopNeedsTwoStops() {
        QStringList order;
        QTimer::singleShot(300, this, [&] {
            m_control->playFile(tone(QStringLiteral("inner.wav"), 0.2), true);
            order.append(QStringLiteral("inner"));
        });
        QTimer::singleShot(700, this, [&] { m_control->stopPlaying(); });
        QTimer::singleShot(1100, this, [&] {
            order.append(QStringLiteral("second stop"));
            m_control->stopPlaying();
        });
        m_control->playFile(tone(QStringLiteral("outer.wav"), 0.2), true);
        order.append(QStringLiteral("outer"));
        QCOMPARE(order, (QStringList{"inner", "second stop", "outer"}));
    }

    void quittingEndsEveryLoop() {
        QTimer::singleShot(300, this, [&] { m_control->requestQuit(); });
        m_control->playFile(tone(QStringLiteral("quit.wav"), 0.2), true);
        QVERIFY(m_control->quitRequested());
        QVERIFY(!m_player->isOpen());
    }

    void zeroLengthFileEndsAtOnceWithoutError() {
        const QString file = m_dir.filePath(QStringLiteral("zero.wav"));
        QVERIFY(writeTone(file, ToneSpec{8000, 1, 0, 0.0, 440.0}));
        m_control->playFile(file, false);
        QCOMPARE(m_display.lengthText, QStringLiteral("0:0.00"));
        waitUntilStopped();
        QVERIFY(!m_player->isOpen());
        QCOMPARE(m_display.progress.last(), 0);
    }

    void pollSkipsAClosedDevice() {
        m_control->playFile(tone(QStringLiteral("closed.wav"), 1.0), false);
        m_player->close(); // as a release over an empty list does, leaving the poll on
        m_control->showPlayPosition();
        QVERIFY(!m_control->timer().isActive());
    }
};

SONDRIX_TEST_MAIN(TestPlaybackControl)
#include "tst_playbackcontrol.moc"
