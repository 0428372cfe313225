#include "tests/support/testenv.h"

#include <QDir>

IsolatedEnvironment::IsolatedEnvironment() {
    qputenv("HOME", m_home.path().toUtf8());
    qputenv("XDG_CONFIG_HOME", (m_home.path() + QStringLiteral("/.config")).toUtf8());
    qputenv("XDG_RUNTIME_DIR", (m_home.path() + QStringLiteral("/run")).toUtf8());
    QDir().mkpath(m_home.path() + QStringLiteral("/run"));
    QFile::setPermissions(m_home.path() + QStringLiteral("/run"),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}

IniStore configStore() {
    return IniStore(IniStore::sharedFilePath());
}

QString IsolatedEnvironment::configFile() const {
    return m_home.path() + QStringLiteral("/.config/Sondrix.ini");
}
