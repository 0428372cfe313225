#include "base/configkeys.h"
#include "base/errorboundary.h"
#include "base/inistore.h"
#include "fileops/desktopurlopener.h"
#include "fileops/editcommand.h"
#include "fileops/launcher.h"
#include "fileops/launcherror.h"
#include "tests/support/fakeprompt.h"
#include "tests/support/testenv.h"
#include "tests/support/wavfiles.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include <cerrno>
#include <csignal>
#include <pthread.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

QByteArray bytes(const QString& path) {
    return QFile::encodeName(path);
}

void writeScript(const QString& path, const QByteArray& body, bool executable = true) {
    writeTextFile(path, body);
    QFile::Permissions permissions = QFileDevice::ReadOwner | QFileDevice::WriteOwner;
    if (executable)
        permissions |= QFileDevice::ExeOwner;
    QVERIFY(QFile::setPermissions(path, permissions));
}

// Whether the process has ended and been reaped: once this program has reaped its own child,
// waiting for it again finds no such child.
bool isReaped(pid_t pid) {
    return waitpid(pid, nullptr, WNOHANG) < 0 && errno == ECHILD;
}

bool isRunning(pid_t pid) {
    return kill(pid, 0) == 0;
}

// Answers web addresses of one scheme the way a desktop handler would.
class UrlCatcher : public QObject {
    Q_OBJECT
public:
    QList<QUrl> opened;
public Q_SLOTS:
    void open(const QUrl& url) { opened.append(url); }
};

} // namespace

class TestLauncher : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    IniStore m_store{IniStore::sharedFilePath()};
    FakePrompt m_prompt;
    int m_stops = 0;
    QByteArray m_selected;

    QString path(const QString& name) const { return m_dir.filePath(name); }

    // An editor that records how it was started: the argument count, its working directory and
    // every argument, each ended by a NUL byte.
    QString recorderEditor() {
        const QString editor = path(QStringLiteral("recorder"));
        writeScript(editor, "#!/bin/sh\n{ printf '%s\\0' \"$#\" \"$(pwd -P)\"; printf '%s\\0' "
                            "\"$@\"; } > \"" +
                                bytes(path(QStringLiteral("record.tmp"))) + "\"\nmv \"" +
                                bytes(path(QStringLiteral("record.tmp"))) + "\" \"" +
                                bytes(path(QStringLiteral("record"))) + "\"\n");
        return editor;
    }

    // An editor that runs until the file "release" appears in its working directory, or for a
    // minute at most, so that no failing test leaves it behind.
    QString waitingEditor() {
        const QString editor = path(QStringLiteral("waiter"));
        writeScript(editor, "#!/bin/sh\ni=0\nwhile [ ! -e release ] && [ $i -lt 1200 ]; do\n"
                            "  sleep 0.05; i=$((i + 1))\ndone\n");
        return editor;
    }

    void setEditor(const QString& editor) {
        m_store.writeString(QLatin1String(cfg::kPreferences), QLatin1String(cfg::kEditor), editor);
    }

    EditCommand editCommand(Launcher& launcher) {
        return EditCommand(launcher, m_prompt, m_store,
                           {[this] { ++m_stops; }, [this] { return m_selected; }});
    }

    // A real WAV file under a name given as bytes, inside a folder of its own.
    QByteArray makeWav(const QByteArray& folder, const QByteArray& name) {
        const QByteArray directory = bytes(m_dir.path()) + '/' + folder;
        if (mkdir(directory.constData(), 0700) != 0 && errno != EEXIST)
            qFatal("cannot create the folder");
        const QString tone = path(QStringLiteral("tone.wav"));
        if (!writeTone(tone))
            qFatal("cannot write the tone");
        const QByteArray target = directory + '/' + name;
        if (::rename(bytes(tone).constData(), target.constData()) != 0)
            qFatal("cannot rename the tone");
        return target;
    }

    QList<QByteArray> readRecord() {
        QFile file(path(QStringLiteral("record")));
        if (!file.open(QIODevice::ReadOnly))
            return {};
        QList<QByteArray> fields = file.readAll().split('\0');
        fields.removeLast(); // after the last terminator
        return fields;
    }

private Q_SLOTS:
    void init() {
        QVERIFY(m_dir.isValid());
        m_prompt = FakePrompt();
        m_stops = 0;
        QFile::remove(IniStore::sharedFilePath());
    }

    void editorGetsThePathAsOneArgument_data() {
        QTest::addColumn<QByteArray>("name");
        QTest::newRow("blanks") << QByteArray("a b  c.wav");
        QTest::newRow("quotes") << QByteArray("it's \"quoted\".wav");
        QTest::newRow("command substitution") << QByteArray("$(touch x).wav");
        QTest::newRow("back quotes and semicolon") << QByteArray("`touch x`; touch x.wav");
        QTest::newRow("newline") << QByteArray("two\nlines.wav");
        QTest::newRow("not UTF-8") << QByteArray("caf\xe9 \xff.wav");
        QTest::newRow("long") << QByteArray(250, 'n') + QByteArray(".wav");
    }

    void editorGetsThePathAsOneArgument() {
        QFETCH(QByteArray, name);
        QFile::remove(path(QStringLiteral("record")));
        setEditor(recorderEditor());
        m_selected = makeWav("wav folder", name);
        // The temporary folder cannot remove a name that is not UTF-8 by itself.
        const auto removeWav = qScopeGuard([this] { ::unlink(m_selected.constData()); });
        Launcher launcher;
        auto command = editCommand(launcher);
        command.editSelected();

        QCOMPARE(m_stops, 1);
        QVERIFY(m_prompt.asked.isEmpty());
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(path(QStringLiteral("record"))), 10000);
        const QList<QByteArray> record = readRecord();
        QCOMPARE(record.size(), 3);
        QCOMPARE(record[0], QByteArray("1"));
        QCOMPARE(record[1], bytes(path(QStringLiteral("wav folder"))));
        QCOMPARE(record[2], m_selected);
        QVERIFY(!QFile::exists(path(QStringLiteral("wav folder/x"))));
        QVERIFY(!QFile::exists(QDir::current().filePath(QStringLiteral("x"))));
        QVERIFY(!QFile::exists(path(QStringLiteral("x"))));
    }

    void missingWavFileIsAnError() {
        setEditor(recorderEditor());
        m_selected = bytes(path(QStringLiteral("gone.wav")));
        Launcher launcher;
        auto command = editCommand(launcher);
        command.editSelected();
        QCOMPARE(m_stops, 1);
        QCOMPARE(m_prompt.texts(QStringLiteral("error")),
                 QStringList{QStringLiteral("The specified WAV file does not exist.")});
        QVERIFY(!launcher.isWatching());
    }

    void invalidEditorIsReported_data() {
        QTest::addColumn<QString>("editor");
        QTest::addColumn<bool>("script");
        QTest::addColumn<bool>("executable");
        QTest::newRow("empty") << QString() << false << false;
        QTest::newRow("no longer there") << QStringLiteral("gone-editor") << false << false;
        QTest::newRow("a folder") << QStringLiteral("folder") << false << false;
        QTest::newRow("script without execute bit") << QStringLiteral("plain.sh") << true << false;
    }

    void invalidEditorIsReported() {
        QFETCH(QString, editor);
        QFETCH(bool, script);
        QFETCH(bool, executable);
        QVERIFY(QDir(m_dir.path()).mkpath(QStringLiteral("folder")));
        if (script)
            writeScript(path(editor), "#!/bin/sh\ntouch started\n", executable);
        setEditor(editor.isEmpty() ? editor : path(editor));
        m_selected = makeWav("invalid", "take.wav");
        Launcher launcher;
        auto command = editCommand(launcher);
        command.editSelected();
        QCOMPARE(m_prompt.texts(QStringLiteral("information")),
                 QStringList{QStringLiteral("A valid WAV editor has not been specified.")});
        QVERIFY(!launcher.isWatching());
    }

    // A setting without a "/" is a command, found on PATH without a shell.
    void editorNamedByItsCommand() {
        QFile::remove(path(QStringLiteral("record")));
        recorderEditor();
        const QByteArray searchPath = qgetenv("PATH");
        const auto restore = qScopeGuard([&] { qputenv("PATH", searchPath); });
        qputenv("PATH", bytes(m_dir.path()) + ':' + searchPath);
        setEditor(QStringLiteral("recorder"));
        m_selected = makeWav("by command", "take.wav");
        Launcher launcher;
        auto command = editCommand(launcher);
        command.editSelected();
        QVERIFY(m_prompt.asked.isEmpty());
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(path(QStringLiteral("record"))), 10000);
        QCOMPARE(readRecord().value(2), m_selected);
    }

    // What precedes the NUL names a program, but the setting as a whole names no file.
    void editorHoldingANulIsRefused() {
        const QString editor = path(QStringLiteral("before-nul"));
        writeScript(editor, "#!/bin/sh\ntouch started\n");
        setEditor(editor + QChar(0) + QStringLiteral("after"));
        m_selected = makeWav("nul", "take.wav");
        Launcher launcher;
        auto command = editCommand(launcher);
        command.editSelected();
        QCOMPARE(m_prompt.texts(QStringLiteral("information")),
                 QStringList{QStringLiteral("A valid WAV editor has not been specified.")});
        QVERIFY(!launcher.isWatching());
    }

    void refusedStartGoesToTheErrorReport() {
        // Executable, but neither a script nor a program the system can load.
        const QString editor = path(QStringLiteral("garbage"));
        writeScript(editor, QByteArray("\x01\x02 not a program\n"));
        setEditor(editor);
        m_selected = makeWav("refused", "take.wav");
        Launcher launcher;
        auto command = editCommand(launcher);
        errorboundary::run(m_prompt, [&] { command.editSelected(); });
        QCOMPARE(m_prompt.texts(QStringLiteral("failure")),
                 QStringList{QStringLiteral("Unknown executable file type.")});
        QVERIFY(!launcher.isWatching());
    }

    void startFailuresMapToTheirCodes_data() {
        QTest::addColumn<QString>("program");
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<bool>("executable");
        QTest::addColumn<QString>("startDir");
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("message");
        const QString here = QStringLiteral(".");
        QTest::newRow("no such program") << QStringLiteral("missing") << QByteArray() << false
                                         << here << 2 << QStringLiteral("File was not found");
        QTest::newRow("interpreter missing")
            << QStringLiteral("orphan.sh") << QByteArray("#!/no/such/shell\n") << true << here << 2
            << QStringLiteral("File was not found");
        QTest::newRow("no such folder on the way")
            << QStringLiteral("missing/editor") << QByteArray() << false << here << 3
            << QStringLiteral("Path was not found");
        QTest::newRow("no such working folder")
            << QStringLiteral("fine.sh") << QByteArray("#!/bin/sh\n") << true
            << QStringLiteral("no-such-folder") << 3 << QStringLiteral("Path was not found");
        QTest::newRow("no execute bit")
            << QStringLiteral("locked.sh") << QByteArray("#!/bin/sh\n") << false << here << 5
            << QStringLiteral("Sharing violation or netword error");
        QTest::newRow("unknown format")
            << QStringLiteral("garbage")
            << QByteArray("\x7f"
                          "ELF broken")
            << true << here << 14 << QStringLiteral("Unknown executable file type");
    }

    void startFailuresMapToTheirCodes() {
        QFETCH(QString, program);
        QFETCH(QByteArray, content);
        QFETCH(bool, executable);
        QFETCH(QString, startDir);
        QFETCH(int, code);
        QFETCH(QString, message);
        if (!content.isEmpty())
            writeScript(path(program), content, executable);
        Launcher launcher;
        launcher.setProgramName(bytes(path(program)));
        launcher.setParameters("arg");
        launcher.setStartDir(bytes(path(startDir)));
        try {
            launcher.StartProgram();
            QFAIL("the start was not refused");
        } catch (const ELaunchError& e) {
            QCOMPARE(e.code(), code);
            QCOMPARE(e.message(), message);
        }
        QVERIFY(!launcher.isWatching());
    }

    void messagesByCode_data() {
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("message");
        QTest::newRow("0") << 0 << QStringLiteral("Out of memory or executable file is corrupt");
        QTest::newRow("5") << 5 << QStringLiteral("Sharing violation or netword error");
        QTest::newRow("8") << 8 << QStringLiteral("Insufficient memory to start application");
        QTest::newRow("11") << 11
                            << QStringLiteral("File is not a Windows application or there was an "
                                              "error in the .EXE image");
        QTest::newRow("16") << 16
                            << QStringLiteral("Cannot load a second instance of an executable "
                                              "file containing multiple, non-read-only data "
                                              "segments");
        QTest::newRow("20") << 20 << QStringLiteral("A dynamic-link library (DLL) file is invalid");
        QTest::newRow("31") << 31 << QStringLiteral("No association for specified file type");
        QTest::newRow("1 has none") << 1 << QString();
        QTest::newRow("32 has none") << 32 << QString();
    }

    void messagesByCode() {
        QFETCH(int, code);
        QFETCH(QString, message);
        QCOMPARE(launchErrorText(code), message);
        QCOMPARE(ELaunchError(code).message(), message);
    }

    void systemErrorsMapToCodes_data() {
        QTest::addColumn<int>("stage");
        QTest::addColumn<int>("errorNumber");
        QTest::addColumn<int>("code");
        const int dir = static_cast<int>(LaunchStage::ChangeDirectory);
        const int exec = static_cast<int>(LaunchStage::Execute);
        QTest::newRow("program missing") << exec << ENOENT << 2;
        QTest::newRow("folder missing") << dir << ENOENT << 3;
        QTest::newRow("program folder missing")
            << static_cast<int>(LaunchStage::LocateProgram) << ENOENT << 3;
        QTest::newRow("not a folder") << exec << ENOTDIR << 3;
        QTest::newRow("denied") << exec << EACCES << 5;
        QTest::newRow("busy") << exec << ETXTBSY << 5;
        QTest::newRow("memory") << exec << ENOMEM << 8;
        QTest::newRow("no process left") << exec << EAGAIN << 8;
        QTest::newRow("format") << exec << ENOEXEC << 14;
        QTest::newRow("bad library") << exec << ELIBBAD << 20;
        QTest::newRow("input/output") << exec << EIO << 0;
    }

    void systemErrorsMapToCodes() {
        QFETCH(int, stage);
        QFETCH(int, errorNumber);
        QFETCH(int, code);
        QCOMPARE(launchErrorCode(static_cast<LaunchStage>(stage), errorNumber), code);
    }

    void twoStartsMakeTwoProcessesOnlyTheSecondWatched() {
        const QString editor = waitingEditor();
        QVERIFY(QDir(m_dir.path()).mkpath(QStringLiteral("first")));
        QVERIFY(QDir(m_dir.path()).mkpath(QStringLiteral("second")));
        Launcher launcher;
        QSignalSpy finished(&launcher, &Launcher::OnFinished);
        launcher.setProgramName(bytes(editor));
        launcher.setStartDir(bytes(path(QStringLiteral("first"))));
        launcher.StartProgram();
        const pid_t first = launcher.watchedProcessId();
        launcher.setStartDir(bytes(path(QStringLiteral("second"))));
        launcher.StartProgram();
        const pid_t second = launcher.watchedProcessId();
        QVERIFY(first > 0 && second > 0 && first != second);
        QVERIFY(isRunning(first));
        QVERIFY(isRunning(second));

        // The first one ends: it is reaped, and the watch goes on for the second.
        writeTextFile(path(QStringLiteral("first/release")), {});
        QTRY_VERIFY_WITH_TIMEOUT(isReaped(first), 10000);
        QTest::qWait(Launcher::kPollIntervalMs + 200);
        QVERIFY(launcher.isWatching());
        QCOMPARE(launcher.watchedProcessId(), second);
        QCOMPARE(finished.count(), 0);

        writeTextFile(path(QStringLiteral("second/release")), {});
        QTRY_COMPARE_WITH_TIMEOUT(finished.count(), 1, 10000);
        QVERIFY(!launcher.isWatching());
        QCOMPARE(launcher.watchedProcessId(), -1);
        QTRY_VERIFY_WITH_TIMEOUT(isReaped(second), 10000);
    }

    void editorOutlivesTheLauncherAndIsStillReaped() {
        const QString editor = waitingEditor();
        QVERIFY(QDir(m_dir.path()).mkpath(QStringLiteral("outlive")));
        pid_t pid = -1;
        {
            Launcher launcher;
            launcher.setProgramName(bytes(editor));
            launcher.setStartDir(bytes(path(QStringLiteral("outlive"))));
            launcher.StartProgram();
            pid = launcher.watchedProcessId();
        }
        QVERIFY(pid > 0);
        QTest::qWait(200);
        QVERIFY(isRunning(pid));
        writeTextFile(path(QStringLiteral("outlive/release")), {});
        QTRY_VERIFY_WITH_TIMEOUT(isReaped(pid), 10000);
    }

    void editorStartsWithDefaultSignals() {
        // This program ignores one signal and blocks another; the editor must do neither.
        struct sigaction ignore {};
        ignore.sa_handler = SIG_IGN;
        struct sigaction previousAction {};
        QCOMPARE(sigaction(SIGUSR1, &ignore, &previousAction), 0);
        sigset_t blocked;
        sigemptyset(&blocked);
        sigaddset(&blocked, SIGUSR2);
        sigset_t previousMask;
        QCOMPARE(pthread_sigmask(SIG_BLOCK, &blocked, &previousMask), 0);
        // The editor's first act: a program that reports its own signal state. The shell hands
        // over its state unchanged to the program it becomes.
        const QString editor = path(QStringLiteral("signal-reporter"));
        const QString report = path(QStringLiteral("signal-report"));
        writeScript(editor,
                    "#!/bin/sh\nexec grep ^Sig /proc/self/status > \"" + bytes(report) + "\"\n");
        Launcher launcher;
        launcher.setProgramName(bytes(editor));
        launcher.setStartDir(bytes(m_dir.path()));
        launcher.StartProgram();
        const pid_t pid = launcher.watchedProcessId();
        pthread_sigmask(SIG_SETMASK, &previousMask, nullptr);
        sigaction(SIGUSR1, &previousAction, nullptr);
        QTRY_VERIFY_WITH_TIMEOUT(isReaped(pid), 10000);

        QFile status(report);
        QVERIFY(status.open(QIODevice::ReadOnly));
        QHash<QByteArray, quint64> masks;
        for (const QByteArray& line : status.readAll().split('\n')) {
            const qsizetype colon = line.indexOf(':');
            if (colon > 0)
                masks.insert(line.left(colon),
                             line.mid(colon + 1).trimmed().toULongLong(nullptr, 16));
        }
        QVERIFY(masks.contains("SigBlk") && masks.contains("SigIgn"));
        QCOMPARE(masks["SigBlk"] & (1ULL << (SIGUSR2 - 1)), 0ULL);
        QCOMPARE(masks["SigIgn"] & (1ULL << (SIGUSR1 - 1)), 0ULL);
    }

    void webAddressGoesToTheOpener() {
        QList<QUrl> opened;
        Launcher launcher([&](const QUrl& url) {
            opened.append(url);
            return true;
        });
        launcher.setProgramName("https://example.org/sondrix");
        launcher.StartProgram();
        QCOMPARE(opened, QList<QUrl>{QUrl(QStringLiteral("https://example.org/sondrix"))});
        QVERIFY(!launcher.isWatching());
    }

    void refusedWebAddressIsCode31_data() {
        QTest::addColumn<bool>("withOpener");
        QTest::newRow("opener refuses") << true;
        QTest::newRow("no opener") << false;
    }

    void refusedWebAddressIsCode31() {
        QFETCH(bool, withOpener);
        Launcher launcher(withOpener ? Launcher::UrlOpener([](const QUrl&) { return false; })
                                     : Launcher::UrlOpener());
        launcher.setProgramName("mailto:someone@example.org");
        try {
            launcher.StartProgram();
            QFAIL("the web address was not refused");
        } catch (const ELaunchError& e) {
            QCOMPARE(e.code(), 31);
            QCOMPARE(e.message(), QStringLiteral("No association for specified file type"));
        }
    }

    void desktopOpenerUsesTheRegisteredHandler() {
        UrlCatcher catcher;
        QDesktopServices::setUrlHandler(QStringLiteral("sxtest"), &catcher, "open");
        Launcher launcher(desktopUrlOpener());
        launcher.setProgramName("sxtest://about/site");
        launcher.StartProgram();
        QDesktopServices::unsetUrlHandler(QStringLiteral("sxtest"));
        QCOMPARE(catcher.opened, QList<QUrl>{QUrl(QStringLiteral("sxtest://about/site"))});
    }
};

SONDRIX_TEST_MAIN(TestLauncher)
#include "tst_launcher.moc"
