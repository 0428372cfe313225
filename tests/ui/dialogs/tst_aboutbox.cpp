#include "base/sxerror.h"
#include "tests/support/fakeprompt.h"
#include "tests/support/testenv.h"
#include "ui/dialogs/tfrmhelpabout.h"

#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <QPushButton>
#include <QStatusBar>
#include <QTimer>

// The about box with a launcher that records what it was asked to open.
class TestAboutBox : public QObject {
    Q_OBJECT

    FakePrompt m_prompt;
    QStringList m_opened;
    bool m_refuse = false;

    OpenAddress opener() {
        return [this](const QString& address) {
            m_opened.append(address);
            if (m_refuse)
                throw SxError(QStringLiteral("No association for specified file type"));
        };
    }

    void showBox(TfrmHelpAbout& box) {
        box.setWindowModality(Qt::ApplicationModal);
        box.show();
        QVERIFY(QTest::qWaitForWindowActive(&box));
    }

private Q_SLOTS:
    void init() {
        m_prompt = FakePrompt();
        m_opened.clear();
        m_refuse = false;
    }

    void isLaidOutAsDesigned() {
        TfrmHelpAbout box(m_prompt, opener());
        showBox(box);
        QCOMPARE(box.size(), QSize(254, 207));
        QCOMPARE(box.lblTitle()->text(), QStringLiteral("Sondrix"));
        QCOMPARE(box.lblTitle()->font().pointSize(), 16);
        QCOMPARE(box.lblTitle()->geometry(), QRect(79, 12, 143, 25));
        auto* image = box.findChild<QLabel*>(QStringLiteral("Image1"));
        QVERIFY(image);
        QCOMPARE(image->pixmap().size(), QSize(32, 32));
        QVERIFY(!image->pixmap().toImage().allGray()); // the blue icon was drawn
        auto* version = box.findChild<QLabel*>(QStringLiteral("Label1"));
        QVERIFY(version);
        QCOMPARE(version->text(), QStringLiteral("Version 3.0"));
        auto* maker = box.findChild<QLabel*>(QStringLiteral("Label2"));
        QVERIFY(maker);
        QCOMPARE(maker->text().count(QLatin1Char('\n')), 3);
        QVERIFY(maker->text().contains(QStringLiteral("Sondrix developers")));
        QCOMPARE(box.webAddressLabel()->geometry(), QRect(32, 136, 185, 20));
        QVERIFY(box.webAddressLabel()->font().underline());
        QCOMPARE(box.webAddressLabel()->font().pointSize(), 10);
        QCOMPARE(box.webAddressLabel()->cursor().shape(), Qt::UpArrowCursor);
        QVERIFY(QString::fromLatin1(TfrmHelpAbout::kWebAddress)
                    .contains(box.webAddressLabel()->text()));
        QCOMPARE(box.btnOK()->geometry(), QRect(88, 168, 75, 25));
        QVERIFY(box.btnOK()->isDefault());
    }

    void clickOnTheAddressOpensItAndClosesTheBox() {
        QMainWindow owner;
        owner.show();
        bool clicked = false;
        QTimer::singleShot(0, this, [&] {
            auto* box = qobject_cast<TfrmHelpAbout*>(QApplication::activeModalWidget());
            QVERIFY(box);
            QVERIFY(QTest::qWaitForWindowExposed(box));
            QTest::mouseClick(box->webAddressLabel(), Qt::LeftButton, {},
                              box->webAddressLabel()->rect().center());
            clicked = true;
        });
        QTimer guard; // ends a box that the click did not close, so the test fails, not hangs
        guard.setSingleShot(true);
        connect(&guard, &QTimer::timeout, this, [] {
            if (QWidget* box = QApplication::activeModalWidget())
                box->close();
        });
        guard.start(5000);
        ShowAboutBox(&owner, m_prompt, opener());
        QVERIFY(clicked);
        QVERIFY(guard.isActive());
        QCOMPARE(m_opened, QStringList{QLatin1String(TfrmHelpAbout::kWebAddress)});
        QVERIFY(m_prompt.asked.isEmpty());
    }

    void aRefusedAddressIsReportedAndTheBoxStaysOpen() {
        m_refuse = true;
        TfrmHelpAbout box(m_prompt, opener());
        showBox(box);
        QTest::mouseClick(box.webAddressLabel(), Qt::LeftButton, {},
                          box.webAddressLabel()->rect().center());
        QCOMPARE(m_opened.size(), 1);
        QCOMPARE(m_prompt.texts(QStringLiteral("failure")),
                 QStringList{QStringLiteral("No association for specified file type.")});
        QVERIFY(box.isVisible());
    }

    void escapeDoesNotCloseTheBoxButEnterDoes() {
        TfrmHelpAbout box(m_prompt, opener());
        showBox(box);
        QWidget* focused = box.focusWidget();
        QVERIFY(focused);
        QTest::keyClick(focused, Qt::Key_Escape);
        QVERIFY(box.isVisible());
        QTest::keyClick(focused, Qt::Key_Return);
        QVERIFY(!box.isVisible());
        QCOMPARE(box.result(), int(QDialog::Accepted));
        QVERIFY(m_opened.isEmpty());
    }

    void theAddressHintReachesTheOwnersStatusBar() {
        QMainWindow owner;
        owner.statusBar();
        owner.show();
        TfrmHelpAbout box(m_prompt, opener(), &owner);
        showBox(box);
        QTest::mouseMove(box.btnOK());
        QTest::mouseMove(box.webAddressLabel());
        QTRY_COMPARE(owner.statusBar()->currentMessage(), box.webAddressLabel()->statusTip());
        QVERIFY(box.webAddressLabel()->statusTip().startsWith(QStringLiteral("A click opens")));
        QTest::mouseMove(box.btnOK());
        QTRY_COMPARE(owner.statusBar()->currentMessage(), QString());
    }
};

SONDRIX_TEST_MAIN(TestAboutBox)
#include "tst_aboutbox.moc"
