#include "base/appinfo.h"
#include "tests/support/fakeprompt.h"
#include "tests/support/testenv.h"
#include "ui/dialogs/helpfile.h"
#include "ui/dialogs/helplookup.h"
#include "ui/dialogs/helpviewer.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QLineEdit>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTimer>
#include <QWindow>

#include <memory>

namespace {

const QString kHelpFile = QStringLiteral(SONDRIX_SOURCE_HELP_FILE);

void writeFile(const QString& path) {
    QVERIFY(QDir().mkpath(QFileInfo(path).path()));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("<html><body><p>help</p></body></html>");
}

// The text of the block at the top of the viewer's visible area.
QString topText(QTextBrowser* browser) {
    return browser->cursorForPosition(QPoint(browser->viewport()->width() / 2, 1)).block().text();
}

// The centre, in window coordinates, of the first visible link to `href`.
QPoint visibleLink(QTextBrowser* browser, const QString& href) {
    for (QTextBlock block = browser->document()->begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (fragment.charFormat().anchorHref() != href)
                continue;
            QTextCursor cursor(browser->document());
            cursor.setPosition(fragment.position() + fragment.length() / 2);
            const QPoint at = browser->cursorRect(cursor).center();
            if (browser->viewport()->rect().contains(at))
                return browser->viewport()->mapTo(browser, at);
        }
    }
    return {};
}

} // namespace

// The help viewer against the program's own help file and against broken ones.
class TestHelpViewer : public QObject {
    Q_OBJECT

    FakePrompt m_prompt;

private Q_SLOTS:
    void helpFileIsFoundNextToTheProgramThenInShare_data() {
        QTest::addColumn<bool>("beside");
        QTest::addColumn<bool>("inShare");
        QTest::addColumn<QString>("expected");
        QTest::newRow("build tree") << true << false << "bin/Sx30.html";
        QTest::newRow("installed") << false << true << "share/sondrix/Sx30.html";
        QTest::newRow("both") << true << true << "bin/Sx30.html";
        QTest::newRow("neither: the first place is named") << false << false << "bin/Sx30.html";
    }
    void helpFileIsFoundNextToTheProgramThenInShare() {
        QFETCH(bool, beside);
        QFETCH(bool, inShare);
        QFETCH(QString, expected);
        QTemporaryDir prefix;
        QVERIFY(prefix.isValid());
        QVERIFY(QDir(prefix.path()).mkpath(QStringLiteral("bin")));
        if (beside)
            writeFile(prefix.filePath(QStringLiteral("bin/Sx30.html")));
        if (inShare)
            writeFile(prefix.filePath(QStringLiteral("share/sondrix/Sx30.html")));
        QCOMPARE(helpfile::locate(prefix.filePath(QStringLiteral("bin")) + QLatin1Char('/')),
                 prefix.filePath(expected));
    }

    void opensAtTheTopicOfTheContext_data() {
        QTest::addColumn<int>("context");
        QTest::addColumn<QString>("heading");
        QTest::newRow("0") << 0 << "Contents";
        QTest::newRow("1") << 1 << "The main window";
        QTest::newRow("2") << 2 << "Copying a file";
        QTest::newRow("3") << 3 << "Moving a file";
        QTest::newRow("4") << 4 << "Renaming a file";
        QTest::newRow("6") << 6 << "Preferences";
    }
    void opensAtTheTopicOfTheContext() {
        QFETCH(int, context);
        QFETCH(QString, heading);
        HelpViewer viewer(kHelpFile);
        viewer.showContext(context);
        QTextBrowser* browser = viewer.window();
        QVERIFY(browser && browser->isVisible());
        QVERIFY(QTest::qWaitForWindowExposed(browser));
        QCOMPARE(browser->source().fragment(), HelpViewer::anchorFor(context));
        QTRY_COMPARE(topText(browser), heading);
    }

    void oneWindowIsReusedAcrossRequests() {
        HelpViewer viewer(kHelpFile);
        viewer.showContext(1);
        QTextBrowser* first = viewer.window();
        first->close(); // the user closes it; the next request shows it again
        viewer.showContext(4);
        QCOMPARE(viewer.window(), first);
        QVERIFY(first->isVisible());
        QTRY_COMPARE(topText(first), QStringLiteral("Renaming a file"));
    }

    void aFileThatCannotBeReadIsReportedInTheWindow_data() {
        QTest::addColumn<bool>("asDirectory");
        QTest::newRow("missing") << false;
        QTest::newRow("a directory in its place") << true;
    }
    void aFileThatCannotBeReadIsReportedInTheWindow() {
        QFETCH(bool, asDirectory);
        QTemporaryDir dir;
        const QString path = dir.filePath(QLatin1String(appinfo::kHelpFileName));
        if (asDirectory)
            QVERIFY(QDir().mkdir(path));
        HelpViewer viewer(path);
        viewer.showContext(2);
        QVERIFY(viewer.window()->isVisible());
        const QString text = viewer.window()->toPlainText();
        QVERIFY2(text.contains(QStringLiteral("Help is not available")), qPrintable(text));
        QVERIFY2(text.contains(path + QStringLiteral(" could not be read")), qPrintable(text));
    }

    // F1 in a modal dialog: the viewer answers input while the dialog is open and after it is
    // gone. Input goes through the window system, where a modal dialog blocks other windows.
    void usableWhileAModalDialogIsOpenAndAfterItCloses() {
        HelpViewer viewer(kHelpFile);
        auto dialog = std::make_unique<QDialog>();
        helplookup::setHelpContext(dialog.get(), 6);
        auto* edit = new QLineEdit(dialog.get());
        helplookup::installF1Help(dialog.get(), viewer, m_prompt);
        dialog->setWindowModality(Qt::ApplicationModal);
        dialog->show();
        QVERIFY(QTest::qWaitForWindowActive(dialog.get()));
        QCOMPARE(QApplication::activeModalWidget(), dialog.get());
        edit->setFocus();
        QTest::keyClick(dialog->windowHandle(), Qt::Key_F1);

        QTextBrowser* help = viewer.window();
        QVERIFY(help && help->isVisible());
        QVERIFY(QTest::qWaitForWindowExposed(help));
        QTRY_COMPARE(topText(help), QStringLiteral("Preferences"));
        const QPoint link = visibleLink(help, QStringLiteral("#") + HelpViewer::anchorFor(1));
        QVERIFY2(!link.isNull(), "the preferences topic shows no link to the main window");
        QTest::mouseClick(help->windowHandle(), Qt::LeftButton, {}, link);
        QTRY_COMPARE(help->source().fragment(), HelpViewer::anchorFor(1));
        QTRY_COMPARE(topText(help), QStringLiteral("The main window"));
        QTest::keyClick(help->windowHandle(), Qt::Key_Left, Qt::AltModifier); // back
        QTRY_COMPARE(help->source().fragment(), HelpViewer::anchorFor(6));
        QScrollBar* bar = help->verticalScrollBar();
        const int atTopic = bar->value();
        QTest::keyClick(help->windowHandle(), Qt::Key_PageDown);
        QVERIFY2(bar->value() > atTopic, "the help window did not scroll");

        dialog.reset();
        QVERIFY(!QApplication::activeModalWidget());
        QVERIFY(help->isVisible());
        const int beforeClosing = bar->value();
        QTest::keyClick(help->windowHandle(), Qt::Key_PageUp);
        QVERIFY2(bar->value() < beforeClosing, "the help window did not scroll after the dialog");
    }

    // Runs the event loop, so it comes last.
    void anOpenHelpWindowDoesNotKeepTheProgramRunning() {
        QWidget mainWindow;
        mainWindow.show();
        HelpViewer viewer(kHelpFile);
        viewer.showContext(0);
        QVERIFY(viewer.window()->isVisible());
        QTimer::singleShot(0, &mainWindow, &QWidget::close);
        QTimer::singleShot(5000, [] { QApplication::exit(1); }); // still running: fail
        QCOMPARE(QApplication::exec(), 0);
    }
};

SONDRIX_TEST_MAIN(TestHelpViewer)
#include "tst_helpviewer.moc"
