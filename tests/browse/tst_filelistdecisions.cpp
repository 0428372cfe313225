#include "browse/filelistcontroller.h"
#include "tests/browse/recordingplayback.h"
#include "tests/support/testenv.h"

#include <QApplication>

// The file list's decisions told what happened as plain values, without a list or a window:
// what is loaded, played, added or edited, and in which order the rules are checked.
class TestFileListDecisions : public QObject {
    Q_OBJECT

    QStringList m_log;
    QString m_selected;
    int m_clickAction = 0;

    FileListController controller() {
        auto log = [this](const char* text) {
            return [this, text] { m_log.append(QLatin1String(text)); };
        };
        return FileListController(
            std::make_unique<RecordingPlayback>(m_log),
            FileListController::Hooks{{[this] { return m_clickAction; }, log("add"), log("edit")},
                                      [this] { return m_selected; },
                                      log("wav rule"),
                                      log("play rule")});
    }

private Q_SLOTS:
    void init() {
        m_log.clear();
        m_selected.clear();
        m_clickAction = 0;
    }

    void decides_data() {
        QTest::addColumn<QString>("event");
        QTest::addColumn<int>("clickAction");
        QTest::addColumn<int>("button");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("selected");
        QTest::addColumn<QStringList>("calls");
        const int L = Qt::LeftButton, R = Qt::RightButton;
        const int none = Qt::NoModifier, alt = Qt::AltModifier, shift = Qt::ShiftModifier,
                  ctrl = Qt::ControlModifier;
        const QString a = QStringLiteral("a.wav");
        const QStringList released{QStringLiteral("close"), QStringLiteral("wav rule"),
                                   QStringLiteral("play rule")};
        const QStringList loaded = released + QStringList{QStringLiteral("load a.wav")};
        auto row = [](const char* name, const char* event, int clickAction, int button,
                      int modifiers, int key, const QString& selected, const QStringList& calls) {
            QTest::newRow(name) << QString::fromLatin1(event) << clickAction << button << modifiers
                                << key << selected << calls;
        };
        row("change plays the selected file", "change", 0, 0, none, 0, a,
            {QStringLiteral("wav rule"), QStringLiteral("play a.wav")});
        row("change with nothing selected", "change", 0, 0, none, 0, {},
            {QStringLiteral("wav rule")});
        row("change under click action 2 plays too", "change", 2, 0, none, 0, a,
            {QStringLiteral("wav rule"), QStringLiteral("play a.wav")});
        row("release 0 plain", "release", 0, L, none, 0, a,
            loaded + QStringList{QStringLiteral("start once")});
        row("release 0 alt loads only", "release", 0, L, alt, 0, a, loaded);
        row("release 0 shift adds", "release", 0, L, shift, 0, a,
            loaded + QStringList{QStringLiteral("add")});
        row("release 0 ctrl edits", "release", 0, L, ctrl, 0, a,
            loaded + QStringList{QStringLiteral("edit")});
        row("release 0 right loads only", "release", 0, R, none, 0, a, loaded);
        row("release 1 alt loops", "release", 1, L, alt, 0, a,
            loaded + QStringList{QStringLiteral("start looped")});
        row("release 1 plain loads only", "release", 1, L, none, 0, a, loaded);
        row("release 2 plain loads nothing", "release", 2, L, none, 0, a, released);
        row("release 2 shift still adds", "release", 2, L, shift, 0, a,
            released + QStringList{QStringLiteral("add")});
        row("release with nothing selected", "release", 0, L, none, 0, {}, released);
        row("Return plays", "key", 0, 0, none, Qt::Key_Return, a, {QStringLiteral("play a.wav")});
        row("Enter plays", "key", 1, 0, none, Qt::Key_Enter, a, {QStringLiteral("play a.wav")});
        row("Space does nothing", "key", 0, 0, none, Qt::Key_Space, a, {});
        row("Return with nothing selected", "key", 0, 0, none, Qt::Key_Return, {}, {});
    }
    void decides() {
        QFETCH(QString, event);
        QFETCH(int, clickAction);
        QFETCH(int, button);
        QFETCH(int, modifiers);
        QFETCH(int, key);
        QFETCH(QString, selected);
        QFETCH(QStringList, calls);
        m_clickAction = clickAction;
        m_selected = selected;
        FileListController decisions = controller();
        QVERIFY(m_log.isEmpty());
        if (event == QLatin1String("change"))
            decisions.playSelectedWav();
        else if (event == QLatin1String("release"))
            decisions.handleMouseRelease(static_cast<Qt::MouseButton>(button),
                                         Qt::KeyboardModifiers(modifiers));
        else if (event == QLatin1String("key"))
            decisions.handleKeyRelease(key);
        else
            QFAIL("unknown event");
        QCOMPARE(m_log, calls);
    }

    void pressSelects_data() {
        QTest::addColumn<int>("button");
        QTest::addColumn<int>("rowUnderPointer");
        QTest::addColumn<int>("selected");
        QTest::newRow("right on a row") << int(Qt::RightButton) << 2 << 2;
        QTest::newRow("right below the last row") << int(Qt::RightButton) << -1 << -1;
        QTest::newRow("left leaves it to the list") << int(Qt::LeftButton) << 2 << -1;
        QTest::newRow("middle") << int(Qt::MiddleButton) << 0 << -1;
    }
    void pressSelects() {
        QFETCH(int, button);
        QFETCH(int, rowUnderPointer);
        QFETCH(int, selected);
        QCOMPARE(rowSelectedByPress(static_cast<Qt::MouseButton>(button), rowUnderPointer),
                 selected);
    }

    // The playlist's release: the same steps, without Shift adding to the playlist.
    void playlistReleaseLoadsAndPlays() {
        RecordingPlayback playback(m_log);
        const ReleaseHooks hooks{[] { return 1; }, [this] { m_log.append(QStringLiteral("add")); },
                                 [this] { m_log.append(QStringLiteral("edit")); }};
        applyRelease(playback, hooks, QStringLiteral("/p/b.wav"),
                     playlistReleaseAction(1, Qt::LeftButton, Qt::AltModifier));
        QCOMPARE(m_log,
                 (QStringList{QStringLiteral("load /p/b.wav"), QStringLiteral("start looped")}));
        m_log.clear();
        applyRelease(playback, hooks, QStringLiteral("/p/b.wav"),
                     playlistReleaseAction(1, Qt::LeftButton, Qt::ShiftModifier));
        QCOMPARE(m_log, QStringList{QStringLiteral("load /p/b.wav")});
    }
};

SONDRIX_TEST_MAIN(TestFileListDecisions)
#include "tst_filelistdecisions.moc"
