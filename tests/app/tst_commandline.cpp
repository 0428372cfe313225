#include <QProcess>
#include <QtTest>

// The program's command line, run as a person runs it: a process with no display.
class CommandLineTest : public QObject {
    Q_OBJECT

    struct Run {
        int exitCode = -1;
        QByteArray out;
        QByteArray err;
    };

    static Run run(const QStringList& arguments, const QProcessEnvironment& environment) {
        QProcess program;
        program.setProcessEnvironment(environment);
        program.start(QStringLiteral(SONDRIX_PROGRAM), arguments);
        if (!program.waitForFinished(20000))
            program.kill();
        return {program.exitStatus() == QProcess::NormalExit ? program.exitCode() : -1,
                program.readAllStandardOutput(), program.readAllStandardError()};
    }

    // The user's environment without any display.
    static QProcessEnvironment withoutDisplay() {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
            environment.remove(QString::fromLatin1(name));
        return environment;
    }

private Q_SLOTS:
    void helpAndVersionNeedNoDisplay_data() {
        QTest::addColumn<QString>("option");
        QTest::addColumn<QString>("expected");
        QTest::newRow("--version") << "--version"
                                   << "Sondrix 3.0\n";
        QTest::newRow("-v") << "-v"
                            << "Sondrix 3.0\n";
        QTest::newRow("--help") << "--help"
                                << "Usage: ";
    }
    void helpAndVersionNeedNoDisplay() {
        QFETCH(QString, option);
        QFETCH(QString, expected);
        const Run result = run({option}, withoutDisplay());
        QCOMPARE(result.exitCode, 0);
        QVERIFY2(result.out.startsWith(expected.toUtf8()), result.out + result.err);
    }

    void unknownOptionIsRefused() {
        QProcessEnvironment environment = withoutDisplay();
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        const Run result = run({QStringLiteral("--no-such-option")}, environment);
        QCOMPARE(result.exitCode, 1);
        QVERIFY2(result.err.contains("no-such-option"), result.err);
    }

    // A Wayland session that also offers X11 runs the program on X11, where every feature works.
    void bothDisplaysPreferX11() {
        QProcessEnvironment environment = withoutDisplay();
        environment.insert(QStringLiteral("XDG_SESSION_TYPE"), QStringLiteral("wayland"));
        environment.insert(QStringLiteral("WAYLAND_DISPLAY"), QStringLiteral("wayland-none"));
        environment.insert(QStringLiteral("DISPLAY"), QStringLiteral(":987"));
        const Run result = run({}, environment);
        QVERIFY(result.exitCode != 0); // neither display exists
        QVERIFY2(result.err.contains("could not connect to display :987"), result.err);
    }
};

QTEST_GUILESS_MAIN(CommandLineTest)
#include "tst_commandline.moc"
