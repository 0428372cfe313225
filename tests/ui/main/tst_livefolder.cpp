// The shown directory followed as other programs change it: files and directories created,
// removed and renamed, bursts of files, and the directory itself removed.
#include "browse/wavlisting.h"
#include "playback/playbackcontrol.h"
#include "tests/support/testenv.h"
#include "tests/support/wavfiles.h"
#include "tests/ui/main/windowfixture.h"
#include "ui/browse/browser.h"
#include "ui/browse/directorylist.h"
#include "ui/browse/listbox.h"

#include <QDir>
#include <QProcess>
#include <QSignalSpy>

namespace {

// Another program: a shell running `script` in `directory`.
bool runElsewhere(const QString& directory, const QString& script) {
    QProcess shell;
    shell.setWorkingDirectory(directory);
    shell.start(QStringLiteral("sh"), {QStringLiteral("-c"), script});
    return shell.waitForFinished(10000) && shell.exitStatus() == QProcess::NormalExit &&
           shell.exitCode() == 0;
}

QStringList entryTexts(const DirectoryList& list) {
    QStringList texts;
    for (int row = 0; row < list.count(); ++row)
        texts.append(list.item(row)->text());
    return texts;
}

bool isPlaying(TfrmMain& w) {
    return w.playback()->player().mode() == MediaPlayer::Mode::Playing;
}

} // namespace

class TestLiveFolder : public QObject {
    Q_OBJECT

    // A directory large enough that its read outlasts the moment entering waits for it.
    static constexpr int kBigFiles = 100000;
    QTemporaryDir m_big;

private Q_SLOTS:
    void initTestCase() {
        for (int i = 0; i < kBigFiles; ++i) {
            QFile file(m_big.filePath(QStringLiteral("take %1.wav").arg(i)));
            QVERIFY(file.open(QIODevice::WriteOnly));
        }
    }

    void otherProgramsChangesShowWithTheSelectionKept() {
        WindowFixture f;
        QVERIFY(writeTone(f.filePath(QStringLiteral("c.wav")), ToneSpec{8000, 1, 0, 5.0, 440.0}));
        f.showFiles({"a.wav", "c.wav", "e.wav", "gone.wav"});
        ListBox* wavs = f.window->lbWavs();
        WindowFixture::click(wavs, 1);
        QCOMPARE(f.window->browser()->selectedWav(), QStringLiteral("c.wav"));
        QTRY_VERIFY(isPlaying(*f.window));
        QSignalSpy changes(wavs, &ListBox::changed);

        QVERIFY(runElsewhere(f.folder.path(),
                             QStringLiteral("touch 0.wav b.wav && rm e.wav && mv a.wav z.wav && "
                                            "mkdir takes")));
        const QStringList expected{"0.wav", "b.wav", "c.wav", "gone.wav", "z.wav"};
        QTRY_COMPARE_WITH_TIMEOUT(f.window->browser()->wavNames(), expected, 1000);
        QCOMPARE(f.window->browser()->selectedWav(), QStringLiteral("c.wav"));
        QCOMPARE(changes.count(), 0); // selected by program: nothing started
        QVERIFY(isPlaying(*f.window));
        QVERIFY(isControlEnabled(*f.window, QStringLiteral("miEditCopy")));
        QTRY_VERIFY_WITH_TIMEOUT(
            entryTexts(*f.window->browser()->directories()).contains(QStringLiteral("takes")),
            1000);
        WindowFixture::click(wavs, 2); // the same file, now two rows lower: still no change
        QCOMPARE(changes.count(), 0);

        // The selected file removed: nothing is selected, and the rules say so.
        WindowFixture::click(wavs, 3);
        QCOMPARE(f.window->browser()->selectedWav(), QStringLiteral("gone.wav"));
        QVERIFY(runElsewhere(f.folder.path(), QStringLiteral("rm gone.wav")));
        QTRY_COMPARE_WITH_TIMEOUT(f.window->browser()->wavNames().size(), 4, 1000);
        QCOMPARE(wavs->selectedRow(), -1);
        QVERIFY(!isControlEnabled(*f.window, QStringLiteral("miEditCopy")));
        QVERIFY(!isControlEnabled(*f.window, QStringLiteral("miControlsPlay")));
    }

    void aBurstOfFilesIsOneRefresh() {
        WindowFixture f;
        f.showFiles({"a.wav"});
        QSignalSpy refreshes(&f.window->browser()->core(), &BrowserCore::filesFollowed);
        QVERIFY(runElsewhere(f.folder.path(),
                             QStringLiteral("i=0; while [ $i -lt 1000 ]; do i=$((i+1)); "
                                            ": > burst$i.wav; done")));
        QTRY_COMPARE_WITH_TIMEOUT(f.window->browser()->wavNames().size(), 1001, 2000);
        QTest::qWait(2 * FolderWatch::kLongestWaitMs);
        QCOMPARE(refreshes.count(), 1);
    }

    void aRemovedDirectoryFallsBackToItsNearestExistingParent() {
        WindowFixture f;
        const QString deep = f.filePath(QStringLiteral("one/two"));
        QVERIFY(QDir().mkpath(deep));
        writeTextFile(deep + QStringLiteral("/x.wav"), "x");
        f.window->browser()->enterDirectory(deep);
        QCOMPARE(f.window->browser()->wavNames(), QStringList{QStringLiteral("x.wav")});

        QVERIFY(runElsewhere(f.folder.path(), QStringLiteral("rm -r one")));
        QTRY_COMPARE_WITH_TIMEOUT(f.window->browser()->browserDirectory(), f.folder.path(), 1000);
        QCOMPARE(QDir::currentPath(), f.folder.path());
        QCOMPARE(f.window->browser()->directories()->directory(), f.folder.path());
        QVERIFY(!entryTexts(*f.window->browser()->directories()).contains(QStringLiteral("one")));
        QVERIFY(f.window->browser()->wavNames().isEmpty());
    }

    void aDirectoryChangedWhileItIsReadEndsRight() {
        WindowFixture f;
        const QString big = m_big.path();
        Browser* browser = f.window->browser();
        browser->enterDirectory(big);
        // Entering returned with the names found so far and the busy pointer.
        QVERIFY(browser->wavNames().size() < kBigFiles);
        QVERIFY(QGuiApplication::overrideCursor());
        QCOMPARE(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);

        QVERIFY(QFile::remove(big + QStringLiteral("/take 7.wav")));
        writeTextFile(big + QStringLiteral("/A new take.wav"), "x");
        QVERIFY(QDir(big).rename(QStringLiteral("take 8.wav"), QStringLiteral("zz.wav")));
        const QStringList expected = listWavFiles(big);
        QCOMPARE(expected.size(), kBigFiles);
        QTRY_COMPARE_WITH_TIMEOUT(browser->wavNames(), expected, 10000);
        QVERIFY(!QGuiApplication::overrideCursor());
        QCOMPARE(f.window->lbWavs()->selectedRow(), -1);
        QVERIFY(!isControlEnabled(*f.window, QStringLiteral("miEditCopy")));
    }

    // Choosing another directory while a read runs: the read is dropped, nothing of it shows.
    void enteringAnotherDirectoryCancelsTheRead() {
        WindowFixture f;
        Browser* browser = f.window->browser();
        browser->enterDirectory(m_big.path());
        QVERIFY(browser->wavNames().size() < kBigFiles);
        writeTextFile(f.filePath(QStringLiteral("small.wav")), "x");
        browser->enterDirectory(f.folder.path());
        QCOMPARE(browser->wavNames(), QStringList{QStringLiteral("small.wav")});
        QVERIFY(!QGuiApplication::overrideCursor());
        QTest::qWait(500);
        QCOMPARE(browser->wavNames(), QStringList{QStringLiteral("small.wav")});
    }
};

SONDRIX_TEST_MAIN(TestLiveFolder)
#include "tst_livefolder.moc"
