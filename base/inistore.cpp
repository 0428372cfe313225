#include "base/inistore.h"

#include "base/atomicwrite.h"
#include "base/inifile.h"
#include "base/regularfile.h"
#include "base/sxerror.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QStandardPaths>
#include <QThread>

#include <chrono>
#include <sys/stat.h>

namespace {

using namespace std::chrono_literals;

constexpr char kFileName[] = "Sondrix.ini";
// A configuration file is a few kilobytes; anything much larger is not one.
constexpr qint64 kMaxFileBytes = 4 * 1024 * 1024;
// The lock is held for the milliseconds of one read and one replacement. A lock file left empty
// by a writer killed right after creating it can only be judged by its age, so that age is
// short, and the wait is bounded so that no write holds up the user interface for a second.
constexpr auto kStaleLockTime = 500ms;
constexpr auto kLockWait = 700ms;
constexpr auto kLockPoll = 5ms;

std::pair<QString, QString> lookupKey(const QString& section, const QString& key) {
    return {foldIniName(section), foldIniName(key)};
}

bool acquire(QLockFile& lock) {
    lock.setStaleLockTime(kStaleLockTime);
    const QDeadlineTimer deadline(kLockWait);
    while (!lock.tryLock(0ms)) {
        if (lock.error() != QLockFile::LockFailedError || deadline.hasExpired())
            return false;
        QThread::msleep(static_cast<unsigned long>(kLockPoll.count()));
    }
    return true;
}

// The temporary files of writers killed between writing their copy and renaming it over the
// file. Under the lock no running writer owns one; only names with the writer's marker, in its
// own letter case, qualify.
void removeLeftoverCopies(const QString& filePath) {
    const QFileInfo info(filePath);
    const QFileInfo target(info.exists() ? info.canonicalFilePath() : info.absoluteFilePath());
    const QString prefix = target.fileName() + QLatin1String(kTemporaryMarker);
    QDirIterator it(target.absolutePath(), {prefix + QStringLiteral("??????")},
                    QDir::Files | QDir::Hidden | QDir::CaseSensitive);
    while (it.hasNext()) {
        const QFileInfo candidate = it.nextFileInfo();
        if (!candidate.isSymLink())
            QFile::remove(candidate.filePath());
    }
}

} // namespace

IniStore::IniStore(QString filePath) : m_filePath(std::move(filePath)) {}

QString IniStore::sharedFilePath() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QLatin1Char('/') + QLatin1String(kFileName);
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
    if (m_batch)
        return; // the values hold the gathered writes, which the file does not have yet
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
    // What is not a regular file of a sensible size reads as no file at all.
    m_cachedIdentity = identity;
    const auto content = readRegularFile(QFile::encodeName(m_filePath), kMaxFileBytes);
    if (content.status != ReadStatus::Read)
        return;
    const IniText text(content.bytes);
    // The first of duplicate keys wins, as in reading line by line.
    QHash<std::pair<QString, QString>, QString> first;
    for (const auto& entry : text.entries()) {
        const auto k = lookupKey(entry.section, entry.key);
        if (!first.contains(k))
            first.insert(k, entry.value);
    }
    m_values = std::move(first);
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

IniStore::WriteBatch::WriteBatch(IniStore& store) : m_store(store) {
    m_store.refreshIfChanged();
    m_store.m_batch.emplace();
}

IniStore::WriteBatch::~WriteBatch() {
    if (m_store.m_batch) { // not committed: what the values gathered is not in the file
        m_store.m_batch.reset();
        m_store.m_cachedIdentity.reset();
    }
}

void IniStore::WriteBatch::commit() {
    const QList<Change> changes = m_store.m_batch.value_or(QList<Change>());
    m_store.m_batch.reset();
    if (!changes.isEmpty())
        m_store.writeChanges(changes);
}

void IniStore::edit(QList<Change> changes) {
    for (Change& change : changes) {
        change.section = change.section.trimmed();
        if (change.key)
            change.key = change.key->trimmed();
    }
    if (!m_batch) {
        writeChanges(changes);
        return;
    }
    for (const Change& change : changes) {
        const QString folded = foldIniName(change.section);
        if (change.key)
            m_values.insert(lookupKey(change.section, *change.key), change.value);
        else
            for (auto it = m_values.begin(); it != m_values.end();)
                it = it.key().first == folded ? m_values.erase(it) : std::next(it);
        m_batch->append(change);
    }
}

void IniStore::writeChanges(const QList<Change>& changes) {
    if (m_snapshotDepth > 0)
        m_snapshotEnded = true;
    const QFileInfo info(m_filePath);
    if (!QDir().mkpath(info.absolutePath()))
        raiseWriteError();
    QLockFile lock(m_filePath + QStringLiteral(".lock"));
    if (!acquire(lock))
        raiseWriteError();
    removeLeftoverCopies(m_filePath);

    // Rewriting a file that cannot be read whole would lose its keys.
    const auto current = readRegularFile(QFile::encodeName(m_filePath), kMaxFileBytes);
    if (current.status == ReadStatus::Refused)
        raiseWriteError();
    IniText text(current.bytes);
    for (const Change& change : changes) {
        if (change.key)
            text.setValue(change.section, *change.key, change.value);
        else
            text.eraseSection(change.section);
    }
    if (writeFileAtomically(m_filePath, text.toBytes()).result != WriteResult::Written)
        raiseWriteError();
    m_cachedIdentity.reset();
}

void IniStore::writeString(const QString& section, const QString& key, const QString& value) {
    edit({{section, key, value}});
}

void IniStore::replaceSection(const QString& section,
                              const QList<std::pair<QString, QString>>& values) {
    QList<Change> changes = {{section, std::nullopt, QString()}};
    for (const auto& [key, value] : values)
        changes.append({section, key, value});
    edit(std::move(changes));
}

QStringList IniStore::keys(const QString& section) const {
    refreshIfChanged();
    const QString folded = foldIniName(section.trimmed());
    QStringList result;
    for (auto it = m_values.constBegin(); it != m_values.constEnd(); ++it)
        if (it.key().first == folded)
            result.append(it.key().second);
    return result;
}

void IniStore::eraseSection(const QString& section) {
    edit({{section, std::nullopt, QString()}});
}

void IniStore::writeInteger(const QString& section, const QString& key, int value) {
    writeString(section, key, QString::number(value));
}

void IniStore::writeBool(const QString& section, const QString& key, bool value) {
    writeString(section, key, value ? QStringLiteral("1") : QStringLiteral("0"));
}
