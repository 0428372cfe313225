#pragma once

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <cstdlib>

// What the fuzz targets share: a folder of their own and a finding that stops the run.

// A file in a temporary folder that lives as long as the fuzzing process.
QString fuzzFilePath(const char* name);
void writeFuzzFile(const QString& path, const QByteArray& bytes);
QByteArray readFuzzFile(const QString& path);

// Reports a broken promise; libFuzzer saves the input that caused it.
[[noreturn]] void finding(const char* what);
#define FUZZ_CHECK(condition)                                                                      \
    do {                                                                                           \
        if (!(condition))                                                                          \
            finding(#condition);                                                                   \
    } while (false)

inline QByteArray fuzzInput(const uint8_t* data, size_t size) {
    return QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
}
