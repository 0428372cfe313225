// Copies a 1 GiB file with the copy command's loop, including the flush to the device that a
// Move needs before it deletes the source, and compares with cp --reflink=never plus sync -f of
// the same file on the same file system, both with the source in the page cache.
#include "bench/timing.h"
#include "fileops/filecopy.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>

#include <cstdio>
#include <unistd.h>

namespace {

constexpr qint64 kFileSize = qint64(1) << 30;
constexpr int kRuns = 3;

bool writeSource(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    QByteArray block(1 << 20, Qt::Uninitialized);
    for (qsizetype i = 0; i < block.size(); ++i)
        block[i] = static_cast<char>(i * 7);
    for (qint64 written = 0; written < kFileSize; written += block.size())
        if (file.write(block) != block.size())
            return false;
    return file.flush() && ::fsync(file.handle()) == 0;
}

double megabytesPerSecond(double ms) {
    return static_cast<double>(kFileSize) / (1 << 20) / (ms / 1000.0);
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    // In the working directory, so a run can choose the file system it measures.
    QTemporaryDir dir(QStringLiteral("bench_copy-XXXXXX"));
    const QString source = dir.filePath(QStringLiteral("from/big.wav"));
    const QString target = dir.filePath(QStringLiteral("to"));
    if (!dir.isValid() || !QDir(dir.path()).mkpath(QStringLiteral("from")) ||
        !QDir(dir.path()).mkpath(QStringLiteral("to")) || !writeSource(source)) {
        std::fprintf(stderr, "cannot write the 1 GiB source file\n");
        return 1;
    }
    runShell(QStringLiteral("cat '%1' > /dev/null").arg(source)); // warm cache
    const QString copied = target + QStringLiteral("/big.wav");
    bool allCopied = true;

    const double ours = medianMs(kRuns, [&] {
        allCopied = copyFileInto(QFile::encodeName(source), QFile::encodeName(target)).status ==
                        CopyOutcome::Status::Copied &&
                    allCopied;
        allCopied = QFile::remove(copied) && allCopied;
    });
    const double cp = medianMs(kRuns, [&] {
        runShell(QStringLiteral("cp --reflink=never '%1' '%2' && sync -f '%3'")
                     .arg(source, target, copied));
        allCopied = QFile::remove(copied) && allCopied;
    });
    if (!allCopied) {
        std::fprintf(stderr, "a copy failed\n");
        return 1;
    }
    std::printf("copy loop with flush, 1 GiB: %.0f ms, %.0f MiB/s\n", ours,
                megabytesPerSecond(ours));
    std::printf("cp --reflink=never + sync -f: %.0f ms, %.0f MiB/s\n", cp, megabytesPerSecond(cp));
    std::printf("throughput ratio %.2f (target >= 0.8)\n", cp / ours);
    return 0;
}
