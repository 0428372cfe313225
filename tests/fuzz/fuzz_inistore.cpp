// The configuration store's reader and writer. Input: the file's bytes, then NUL-separated the
// section, the key and the value written (as path bytes, so any byte may appear in them).
// Promise: the value reads back identical, no other key changes, and every line the write does
// not change stays in the file byte for byte.
#include "base/inifile.h"
#include "base/inistore.h"
#include "base/sxerror.h"
#include "base/pathcodec.h"
#include "tests/fuzz/fuzzsupport.h"

#include <QHash>

namespace {

QList<QByteArray> lines(const QByteArray& bytes) {
    QList<QByteArray> result = bytes.split('\n');
    if (result.last().isEmpty())
        result.removeLast();
    return result;
}

// A write changes one place: the old lines around it stay, at most one old line is rewritten and
// at most the three lines of a new section are added.
bool keepsUnchangedLines(const QList<QByteArray>& before, const QList<QByteArray>& after) {
    const qsizetype shorter = std::min(before.size(), after.size());
    qsizetype prefix = 0;
    while (prefix < shorter && before[prefix] == after[prefix])
        ++prefix;
    qsizetype suffix = 0;
    while (prefix + suffix < shorter &&
           before[before.size() - 1 - suffix] == after[after.size() - 1 - suffix])
        ++suffix;
    return before.size() - prefix - suffix <= 1 && after.size() - prefix - suffix <= 3;
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
