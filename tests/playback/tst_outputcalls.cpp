#include "playback/playbackcontrol.h"
#include "tests/playback/fakeoutput.h"
#include "tests/support/testenv.h"
#include "tests/support/wavfiles.h"

#include <QApplication>

// What playback asks of its output, call by call, and the position it takes from the frames the
// output says it played: a fake output stands behind the interface, the files are real.
class TestOutputCalls : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    FakeOutput m_output;
    std::unique_ptr<MediaPlayer> m_player;
    std::unique_ptr<PlaybackControl> m_control;
    QList<int> m_progress;

    QString tone(const QString& name, const ToneSpec& spec) {
        const QString file = m_dir.filePath(name);
        if (!QFile::exists(file) && !writeTone(file, spec))
            qFatal("cannot write %s", qPrintable(file));
        return file;
    }
    static inline const ToneSpec kMono8k{8000, 1, 0, 1.0, 440.0};
    static inline const ToneSpec kStereo22k{22050, 2, 0, 0.5, 440.0};

    // Whether `played` is the tone from frame `from` on, within 16-bit quantisation.
    static bool isToneFrom(const std::vector<float>& played, size_t from) {
        const std::vector<float> tone = toneSamples(kMono8k);
        if (from + played.size() > tone.size())
            return false;
        for (size_t i = 0; i < played.size(); ++i)
            if (std::abs(played[i] - tone[from + i]) > 1.0f / 16384)
                return false;
        return true;
    }

private Q_SLOTS:
    void init() {
        m_output = FakeOutput();
        m_progress.clear();
        m_player = std::make_unique<MediaPlayer>(m_output);
        m_control = std::make_unique<PlaybackControl>(*m_player);
        connect(m_control.get(), &PlaybackControl::progressChanged, this,
                [this](int percent) { m_progress.append(percent); });
    }
    void cleanup() {
        m_control.reset();
        m_player.reset();
    }

    void fileSwitchStopAndPlayOnce() {
        const QString a = tone(QStringLiteral("a.wav"), kMono8k);
        m_control->playFile(a, false);
        QCOMPARE(m_output.calls, (QStringList{"open", "start 8000 Hz 1 ch"}));

        m_control->playFile(tone(QStringLiteral("b.wav"), kStereo22k), false);
        QCOMPARE(m_output.calls.mid(2), (QStringList{"flush", "start 22050 Hz 2 ch"}));

        m_control->stopPlaying();
        QCOMPARE(m_output.calls.mid(4), QStringList{"flush"});
        QVERIFY(!m_player->isOpen());

        m_control->playFile(a, false);
        m_output.play(2000);
        QCOMPARE(m_player->position(), 250); // the frames played, not those read ahead
        m_output.play(8000);
        QTRY_VERIFY(!m_player->isOpen()); // the poll found the end
        QCOMPARE(m_progress.mid(m_progress.size() - 2), (QList<int>{100, 0}));
        QCOMPARE(m_output.calls.mid(5), (QStringList{"start 8000 Hz 1 ch", "flush"}));
        QCOMPARE(m_output.played.size(), size_t(8000));
        QVERIFY(isToneFrom(m_output.played, 0));
    }

    void ctrlClickPausesAndStartsAgainAtTheClickedShare() {
        m_control->playFile(tone(QStringLiteral("a.wav"), kMono8k), false);
        m_output.play(800);
        m_control->seekAtClick(Qt::LeftButton, Qt::ControlModifier, 33, 100);
        QCOMPARE(m_output.calls, (QStringList{"open", "start 8000 Hz 1 ch", "pause", "flush",
                                              "start 8000 Hz 1 ch"}));
        QCOMPARE(m_player->position(), 330);
        m_output.played.clear();
        m_output.play(100);
        QCOMPARE(m_player->position(), 342);
        QCOMPARE(m_output.played.size(), size_t(100));
        QVERIFY(isToneFrom(m_output.played, 2640));
        QVERIFY(!isToneFrom(m_output.played, 2600)); // the check tells positions apart
        m_control->abortAll();
    }

    void aLostOutputIsClosedAndOpenedAnewForTheNextFile() {
        const QString a = tone(QStringLiteral("a.wav"), kMono8k);
        m_control->playFile(a, false);
        m_output.lose();
        QTRY_VERIFY(!m_player->isOpen()); // a lost play has ended
        m_control->playFile(a, false);
        QCOMPARE(m_output.calls, (QStringList{"open", "start 8000 Hz 1 ch", "flush", "close",
                                              "open", "start 8000 Hz 1 ch"}));
        m_control->abortAll();
    }
};

SONDRIX_TEST_MAIN(TestOutputCalls)
#include "tst_outputcalls.moc"
