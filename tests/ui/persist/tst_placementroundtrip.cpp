#include "base/inistore.h"
#include "tests/support/fakeprompt.h"
#include "tests/support/plainwindow.h"
#include "tests/support/testenv.h"
#include "tests/support/xserver.h"

#include <QWindow>

// The outer rectangle as the window system has it now; the widget caches the frame it last
// measured.
static QRect outerOf(const QWidget& window) {
    return window.windowHandle()->frameGeometry();
}

// The placement on a decorated window under a real window manager: what one run writes, the next
// run restores exactly, frame included.
class TestPlacementRoundTrip : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    std::unique_ptr<IniStore> m_store;
    FakePrompt m_prompt;

    QString path() const { return m_dir.filePath(QStringLiteral("Sondrix.ini")); }

    QString stored(const char* key) const {
        return m_store->readString(QStringLiteral("Form"), QLatin1String(key), QString());
    }

    // Shows a window and waits until the window manager has framed it.
    std::unique_ptr<PlainWindow> framedWindow(IniStore& store) {
        auto window = std::make_unique<PlainWindow>(store, m_prompt);
        window->show();
        if (!QTest::qWaitForWindowExposed(window.get()) ||
            !QTest::qWaitFor([&] { return isFramed(*window); }, 10000))
            return nullptr;
        QTest::qWait(300); // the window manager's last configure after framing
        return window;
    }

private Q_SLOTS:
    void init() {
        QFile::remove(path());
        m_store = std::make_unique<IniStore>(path());
    }

    void twoRunsWithoutChangeWriteTheSameNormPos() {
        {
            QFile f(path());
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("[Form]\nNormPos=100,80,700,520\nShowCmd=1\n");
        }
        for (int run = 1; run <= 2; ++run) {
            auto window = framedWindow(*m_store);
            QVERIFY2(window, "the window manager did not frame the window");
            // The frame is part of the stored size.
            QTRY_COMPARE(outerOf(*window), QRect(100, 80, 600, 440));
            QVERIFY(window->geometry().width() < 600);
            QVERIFY(window->close());
            QCOMPARE(stored("NormPos"), QStringLiteral("100,80,700,520"));
        }
    }

    void aFirstRunIsRestoredExactlyByTheSecond() {
        QString first;
        for (int run = 1; run <= 2; ++run) {
            auto window = framedWindow(*m_store);
            QVERIFY2(window, "the window manager did not frame the window");
            const QRect outer = outerOf(*window);
            QVERIFY(window->close());
            QCOMPARE(stored("NormPos"), normPos(outer));
            if (run == 1)
                first = stored("NormPos");
        }
        QCOMPARE(stored("NormPos"), first);
    }

    void theOuterSizeStaysAtLeast350By200() {
        auto window = framedWindow(*m_store);
        QVERIFY2(window, "the window manager did not frame the window");
        window->resize(100, 50);
        QTRY_COMPARE(outerOf(*window).size(), QSize(350, 200));
    }

    void maximisedAtCloseRestoresMaximisedThenTheNormalRectangle() {
        auto first = framedWindow(*m_store);
        QVERIFY2(first, "the window manager did not frame the window");
        const QRect outer = outerOf(*first);
        first->showMaximized();
        QTRY_VERIFY(first->isMaximized() && outerOf(*first) != outer);
        QTest::qWait(300);
        QVERIFY(first->close());
        first.reset();
        QCOMPARE(stored("ShowCmd"), QStringLiteral("3"));
        QCOMPARE(stored("NormPos"), normPos(outer));

        auto second = framedWindow(*m_store);
        QVERIFY2(second, "the window manager did not frame the window");
        QTRY_VERIFY(second->isMaximized());
        second->showNormal();
        QTRY_COMPARE(outerOf(*second), outer);
    }
};

int main(int argc, char* argv[]) {
    return runUnderWindowManager(argc, argv, [&] {
        TestPlacementRoundTrip test;
        return QTest::qExec(&test, argc, argv);
    });
}

#include "tst_placementroundtrip.moc"
