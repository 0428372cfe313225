// The configuration store's reader and writer. Input: the file's bytes, then NUL-separated the
// section, the key and the value written (as path bytes, so any byte may appear in them).
// Promise: the value reads back identical, no other key changes, and every line the write does
// not change stays in the file byte for byte.
#include "app/inifile.h"
#include "app/inistore.h"
#include "app/sxerror.h"
#include "fileops/pathcodec.h"
#include "tests/fuzz/fuzzsupport.h"

#include <QHash>

namespace {

QList<QByteArray> lines(const QByteArray& bytes) {
    QList<QByteArray> result = bytes.split('\n');
    if (result.last().isEmpty())
        result.removeLast();
    return result;
}

// The old lines appear in the new ones in order, one of them possibly rewritten, with at most
// the three lines of a new section added.
bool keepsUnchangedLines(const QList<QByteArray>& before, const QList<QByteArray>& after) {
    qsizetype j = 0;
    int rewritten = 0;
    for (const QByteArray& line : before) {
        qsizetype k = j;
        while (k < after.size() && after[k] != line && k - j < 3)
            ++k;
        if (k < after.size() && after[k] == line) {
            j = k + 1;
        } else if (++rewritten > 1) {
            return false;
        } else {
            ++j;
        }
    }
    return after.size() - before.size() <= 3;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    QList<QByteArray> parts = fuzzInput(data, size).split('\0');
    while (parts.size() < 4)
        parts.append(QByteArray());
    const QByteArray fileBytes = parts[0];
    const QString section = decodePath(parts[1]);
    const QString key = decodePath(parts[2]);
    const QString value = decodePath(parts.mid(3).join('\0'));

    static const QString path = fuzzFilePath("Sondrix.ini");
    writeFuzzFile(path, fileBytes);
    QHash<std::pair<QString, QString>, QString> others;
    {
        const IniStore store(path);
        for (const auto& entry : IniText(fileBytes).entries())
            if (!sameIniName(entry.section.trimmed(), section.trimmed()) ||
                !sameIniName(entry.key.trimmed(), key.trimmed()))
                others.insert({entry.section, entry.key},
                              store.readString(entry.section, entry.key, {}));
    }

    IniStore store(path);
    try {
        store.writeString(section, key, value);
    } catch (const SxError&) {
        finding("a write to a small regular file failed");
    }
    const QByteArray written = readFuzzFile(path);
    const IniStore fresh(path);
    FUZZ_CHECK(fresh.keys(section).contains(foldIniName(key.trimmed())));
    FUZZ_CHECK(fresh.readString(section, key, {}) == value.left(IniStore::kMaxValueLength));
    for (auto it = others.constBegin(); it != others.constEnd(); ++it)
        FUZZ_CHECK(fresh.readString(it.key().first, it.key().second, {}) == it.value());
    FUZZ_CHECK(keepsUnchangedLines(lines(fileBytes), lines(written)));
    return 0;
}
