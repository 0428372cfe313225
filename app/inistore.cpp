#include "app/inistore.h"

#include "app/atomicwrite.h"
#include "app/inifile.h"
#include "app/sxerror.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QStandardPaths>

#include <sys/stat.h>

namespace {

constexpr char kFileName[] = "Sondrix.ini";

QString lookupKey(const QString& section, const QString& key) {
    return section.toLower() + QLatin1Char('\n') + key.toLower();
}

} // namespace

IniStore::IniStore(QString filePath) : m_filePath(std::move(filePath)) {}

QString IniStore::sharedFilePath() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QLatin1Char('/') + QLatin1String(kFileName);
}

IniStore& IniStore::shared() {
    static IniStore store(sharedFilePath());
    return store;
}

std::optional<IniStore::FileIdentity> IniStore::currentIdentity() const {
    struct stat st {};
    if (::stat(QFile::encodeName(m_filePath).constData(), &st) != 0)
        return std::nullopt;
    return FileIdentity{st.st_dev, st.st_ino, st.st_size,
                        st.st_mtim.tv_sec * 1'000'000'000LL + st.st_mtim.tv_nsec};
}

IniStore::ReadSnapshot::ReadSnapshot(IniStore& store) : m_store(store) {
    if (m_store.m_snapshotDepth++ == 0)
        m_store.m_snapshotChecked = m_store.m_snapshotEnded = false;
}

IniStore::ReadSnapshot::~ReadSnapshot() {
    --m_store.m_snapshotDepth;
}

void IniStore::refreshIfChanged() const {
    const bool inSnapshot = m_snapshotDepth > 0 && !m_snapshotEnded;
    if (inSnapshot && m_snapshotChecked)
        return;
    if (inSnapshot)
        m_snapshotChecked = true;
    const auto identity = currentIdentity();
    if (identity == m_cachedIdentity && m_cachedIdentity)
        return;
    m_values.clear();
    m_cachedIdentity.reset();
    if (!identity)
        return;
    QFile file(m_filePath);
    if (!file.open(QIODevice::ReadOnly))
        return;
    const IniText text(QString::fromUtf8(file.readAll()));
    // The first of duplicate keys wins, as in reading line by line.
    QHash<QString, QString> first;
    for (const auto& entry : text.entries()) {
        const QString k = lookupKey(entry.section, entry.key);
        if (!first.contains(k))
            first.insert(k, entry.value);
    }
    m_values = std::move(first);
    m_cachedIdentity = identity;
}

std::optional<QString> IniStore::lookup(const QString& section, const QString& key) const {
    refreshIfChanged();
    const auto it = m_values.constFind(lookupKey(section.trimmed(), key.trimmed()));
    if (it == m_values.constEnd())
        return std::nullopt;
    return *it;
}

QString IniStore::readString(const QString& section, const QString& key, const QString& def) const {
    return lookup(section, key).value_or(def).left(kMaxValueLength);
}

std::optional<int> parseIniInteger(QStringView text) {
    text = text.trimmed();
    bool ok = false;
    if (text.size() > 2 && text[0] == QLatin1Char('0') &&
        (text[1] == QLatin1Char('x') || text[1] == QLatin1Char('X'))) {
        const QStringView digits = text.mid(2);
        if (digits.startsWith(QLatin1Char('+')) || digits.startsWith(QLatin1Char('-')))
            return std::nullopt;
        const uint value = digits.toUInt(&ok, 16);
        return ok ? std::optional<int>(static_cast<int>(value)) : std::nullopt;
    }
    const int value = text.toInt(&ok, 10);
    return ok ? std::optional<int>(value) : std::nullopt;
}

int IniStore::readInteger(const QString& section, const QString& key, int def) const {
    const auto text = lookup(section, key);
    if (!text)
        return def;
    return parseIniInteger(QStringView(*text).left(kMaxValueLength)).value_or(def);
}

bool IniStore::readBool(const QString& section, const QString& key, bool def) const {
    return readInteger(section, key, def ? 1 : 0) != 0;
}

void IniStore::raiseWriteError() const {
    throw SxError(QStringLiteral("Unable to write to %1").arg(QLatin1String(kFileName)));
}

void IniStore::edit(const std::function<void(IniText&)>& change) {
    if (m_snapshotDepth > 0)
        m_snapshotEnded = true;
    const QFileInfo info(m_filePath);
    if (!QDir().mkpath(info.absolutePath()))
        raiseWriteError();
    QLockFile lock(m_filePath + QStringLiteral(".lock"));
    if (!lock.lock())
        raiseWriteError();

    QString current;
    QFile file(m_filePath);
    if (file.open(QIODevice::ReadOnly))
        current = QString::fromUtf8(file.readAll());
    else if (file.exists())
        raiseWriteError(); // rewriting a file that cannot be read would lose its keys
    file.close();

    IniText text(current);
    change(text);
    if (writeFileAtomically(m_filePath, text.toString().toUtf8()) != WriteResult::Written)
        raiseWriteError();
    m_cachedIdentity.reset();
}

void IniStore::writeString(const QString& section, const QString& key, const QString& value) {
    edit([&](IniText& text) { text.setValue(section.trimmed(), key.trimmed(), value); });
}

void IniStore::replaceSection(const QString& section,
                              const QList<std::pair<QString, QString>>& values) {
    edit([&](IniText& text) {
        text.eraseSection(section.trimmed());
        for (const auto& [key, value] : values)
            text.setValue(section.trimmed(), key.trimmed(), value);
    });
}

QStringList IniStore::keys(const QString& section) const {
    refreshIfChanged();
    const QString prefix = section.trimmed().toLower() + QLatin1Char('\n');
    QStringList result;
    for (auto it = m_values.constBegin(); it != m_values.constEnd(); ++it)
        if (it.key().startsWith(prefix))
            result.append(it.key().mid(prefix.size()));
    return result;
}

void IniStore::eraseSection(const QString& section) {
    edit([&](IniText& text) { text.eraseSection(section.trimmed()); });
}

void IniStore::writeInteger(const QString& section, const QString& key, int value) {
    writeString(section, key, QString::number(value));
}

void IniStore::writeBool(const QString& section, const QString& key, bool value) {
    writeString(section, key, value ? QStringLiteral("1") : QStringLiteral("0"));
}

QString ReadIniString(const QString& section, const QString& key, const QString& def) {
    return IniStore::shared().readString(section, key, def);
}
int ReadIniInteger(const QString& section, const QString& key, int def) {
    return IniStore::shared().readInteger(section, key, def);
}
bool ReadIniBool(const QString& section, const QString& key, bool def) {
    return IniStore::shared().readBool(section, key, def);
}
void WriteIniString(const QString& section, const QString& key, const QString& value) {
    IniStore::shared().writeString(section, key, value);
}
void WriteIniInteger(const QString& section, const QString& key, int value) {
    IniStore::shared().writeInteger(section, key, value);
}
void WriteIniBool(const QString& section, const QString& key, bool value) {
    IniStore::shared().writeBool(section, key, value);
}
