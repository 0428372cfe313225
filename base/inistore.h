#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

#include <optional>
#include <sys/types.h>

// The configuration file: typed reads and writes of one key of one section. Section and key
// names compare without regard to ASCII case and blanks around them are not part of them; a
// value is kept exactly as written, blanks and line breaks included. Reads never fail and return
// the default for a missing file, section or key. A write replaces the whole file atomically while
// holding a lock shared by every running copy, so copies writing different keys never lose each
// other's; it raises "Unable to write to Sondrix.ini" on failure, also when the lock cannot be had
// within a second. Only a regular file of at most a few megabytes is read; anything else reads as
// defaults and refuses writes.
//
// A value written by any process is seen by the very next read: the parsed copy kept for cheap
// reads is checked against the file's identity, size and modification time before every read,
// except inside a read snapshot.
class IniText;

class IniStore {
public:
    explicit IniStore(QString filePath);

    // Held by a batch operation of the user-interface thread (a playlist load, Add All, a display
    // rebuild): inside it the file's identity is checked once, at the first read, instead of at
    // every read. A write inside it ends the snapshot, so later reads check again as usual.
    // Snapshots nest; the outermost one decides.
    class ReadSnapshot {
    public:
        explicit ReadSnapshot(IniStore& store);
        ~ReadSnapshot();
        ReadSnapshot(const ReadSnapshot&) = delete;
        ReadSnapshot& operator=(const ReadSnapshot&) = delete;

    private:
        IniStore& m_store;
    };

    // Held around a group of writes, such as everything a close stores: the writes are gathered
    // and reach the file in one replacement at commit(), which reads the file once, replaces it
    // once under the lock, and raises the write error at most once. Reads inside the batch see
    // the gathered writes and do not look at the file again. A batch left without commit() writes
    // nothing. Batches do not nest.
    class WriteBatch {
    public:
        explicit WriteBatch(IniStore& store);
        ~WriteBatch();
        WriteBatch(const WriteBatch&) = delete;
        WriteBatch& operator=(const WriteBatch&) = delete;
        void commit();

    private:
        IniStore& m_store;
    };

    // The program's configuration file: $XDG_CONFIG_HOME/Sondrix.ini.
    static QString sharedFilePath();

    const QString& filePath() const { return m_filePath; }

    QString readString(const QString& section, const QString& key, const QString& def) const;
    int readInteger(const QString& section, const QString& key, int def) const;
    bool readBool(const QString& section, const QString& key, bool def) const;

    void writeString(const QString& section, const QString& key, const QString& value);
    void writeInteger(const QString& section, const QString& key, int value);
    void writeBool(const QString& section, const QString& key, bool value);
    // Removes the whole section, with the same atomic replacement and failure as a write.
    void eraseSection(const QString& section);

    // The keys of a section, ASCII letters in lower case, each once.
    QStringList keys(const QString& section) const;
    // Erases the section and writes the keys in the given order, in one replacement of the file,
    // so no reader ever sees the section half-written.
    void replaceSection(const QString& section, const QList<std::pair<QString, QString>>& values);

    static constexpr int kMaxValueLength = 1023;

private:
    struct FileIdentity {
        dev_t device = 0;
        ino_t inode = 0;
        off_t size = -1;
        long long modifiedNs = -1;
        bool operator==(const FileIdentity&) const = default;
    };

    // One change to the file: a key set, or a whole section erased (no key).
    struct Change {
        QString section;
        std::optional<QString> key;
        QString value;
    };

    std::optional<QString> lookup(const QString& section, const QString& key) const;
    void refreshIfChanged() const;
    void edit(QList<Change> changes);
    void writeChanges(const QList<Change>& changes);
    std::optional<FileIdentity> currentIdentity() const;
    [[noreturn]] void raiseWriteError() const;

    QString m_filePath;
    int m_snapshotDepth = 0;
    mutable bool m_snapshotChecked = false; // the identity was checked inside the open snapshot
    bool m_snapshotEnded = false;           // a write ended the open snapshot
    mutable std::optional<FileIdentity> m_cachedIdentity;
    mutable QHash<std::pair<QString, QString>, QString> m_values; // folded section and key
    std::optional<QList<Change>> m_batch; // the changes gathered by an open write batch
};

// Parses a configuration integer: "0x"/"0X" followed by hexadecimal digits when the text is
// longer than two characters, otherwise decimal with an optional sign.
std::optional<int> parseIniInteger(QStringView text);
