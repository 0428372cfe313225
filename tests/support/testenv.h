#pragma once

#include "base/inistore.h"

#include <QString>
#include <QTemporaryDir>
#include <QtTest>

// Points HOME and XDG_CONFIG_HOME at fresh temporary folders before the application starts, so
// no test reads or writes the developer's own settings.
class IsolatedEnvironment {
public:
    IsolatedEnvironment();
    QString home() const { return m_home.path(); }
    QString configFile() const;

private:
    QTemporaryDir m_home;
};

// The program's configuration file in the isolated environment, through a store of the test's
// own: what it writes, the program's store reads at its next read.
IniStore configStore();

// A test main that isolates the environment, then runs the test object under a QApplication.
#define SONDRIX_TEST_MAIN(TestObject)                                                              \
    int main(int argc, char* argv[]) {                                                             \
        IsolatedEnvironment environment;                                                           \
        QApplication app(argc, argv);                                                              \
        TestObject test;                                                                           \
        return QTest::qExec(&test, argc, argv);                                                    \
    }
