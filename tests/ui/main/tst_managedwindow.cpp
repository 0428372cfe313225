#include "base/configkeys.h"
#include "base/inistore.h"
#include "tests/support/testenv.h"
#include "tests/ui/main/windowfixture.h"
#include "tests/support/xserver.h"

#include <QMenuBar>
#include <QWindow>

// The program's window under a real window manager, which, unlike the offscreen platform, answers
// a resize of a maximised window by leaving the maximised state, and keeps a window no narrower
// than its menu bar.
class TestManagedWindow : public QObject {
    Q_OBJECT

    static void waitUntilFramed(const QWidget& window) {
        QVERIFY(QTest::qWaitFor([&] { return isFramed(window); }, 10000));
        QTest::qWait(300); // the window manager's last configure after framing
    }

private Q_SLOTS:
    void cleanup() { resetConfiguration(); }

    void aWindowClosedMaximisedStartsMaximised_data() {
        QTest::addColumn<bool>("playlistShown");
        QTest::newRow("playlist shown") << true;
        QTest::newRow("playlist hidden") << false;
    }
    void aWindowClosedMaximisedStartsMaximised() {
        QFETCH(bool, playlistShown);
        IniStore store = configStore();
        store.writeString(QStringLiteral("Form"), QStringLiteral("ShowCmd"), QStringLiteral("3"));
        store.writeString(QStringLiteral("Form"), QStringLiteral("NormPos"),
                          QStringLiteral("60,50,560,400"));
        store.writeBool(QLatin1String(cfg::kPlaylist), QLatin1String(cfg::kVisible), playlistShown);
        WindowFixture f;
        waitUntilFramed(*f.window);
        QVERIFY(f.window->isMaximized());
        QCOMPARE(f.window->playlistPanel()->isVisible(), playlistShown);
        f.window->showNormal();
        QTRY_COMPARE(f.window->windowHandle()->frameGeometry(), QRect(60, 50, 500, 350));
    }

    void viewPlayListTwiceGivesBackTheWindowWidth() {
        WindowFixture f;
        TfrmMain& w = *f.window;
        waitUntilFramed(w);
        QCOMPARE(w.width(), 504);
        clickMenuItem(w.menuBar(), QStringLiteral("&View"), QStringLiteral("&PlayList"));
        QTRY_VERIFY(!w.playlistPanel()->isVisible());
        clickMenuItem(w.menuBar(), QStringLiteral("&View"), QStringLiteral("&PlayList"));
        QTRY_VERIFY(w.playlistPanel()->isVisible());
        QTRY_COMPARE(w.width(), 504);
        QCOMPARE(w.wavsPanel()->width(), 313);
        // Closed hidden: the panel's own width is stored, not the width it stretched to.
        clickMenuItem(w.menuBar(), QStringLiteral("&View"), QStringLiteral("&PlayList"));
        QTRY_VERIFY(!w.playlistPanel()->isVisible());
        QVERIFY(w.close());
        QCOMPARE(configStore().readString(QStringLiteral("Panels"), QStringLiteral("pnlWavs_Width"),
                                          QString()),
                 QStringLiteral("313"));
    }
};

int main(int argc, char* argv[]) {
    return runUnderWindowManager(argc, argv, [&] {
        TestManagedWindow test;
        return QTest::qExec(&test, argc, argv);
    });
}

#include "tst_managedwindow.moc"
