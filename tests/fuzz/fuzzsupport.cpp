#include "tests/fuzz/fuzzsupport.h"

#include <QFile>
#include <QTemporaryDir>

#include <cstdio>

QString fuzzFilePath(const char* name) {
    static QTemporaryDir dir;
    if (!dir.isValid())
        finding("no temporary folder");
    return dir.filePath(QString::fromLatin1(name));
}

void writeFuzzFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
        finding("cannot write the input file");
}

QByteArray readFuzzFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        finding("cannot read the output file");
    return file.readAll();
}

void finding(const char* what) {
    std::fprintf(stderr, "FINDING: %s\n", what);
    std::abort();
}
