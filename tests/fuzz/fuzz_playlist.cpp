// The playlist reader and writer. Input: a playlist file's bytes. Promise: the paths survive a
// save and a read byte for byte, and the path codec is exact both ways.
#include "base/pathcodec.h"
#include "playlist/playlistfile.h"
#include "tests/fuzz/fuzzsupport.h"

namespace {

// What a save of the read must give: the text up to a NUL with CR LF after every line.
QByteArray expectedSave(const QByteArray& input) {
    const qsizetype nul = input.indexOf('\0');
    QByteArray text = input.left(nul < 0 ? input.size() : nul);
    text.replace("\r\n", "\n");
    text.replace('\r', '\n');
    if (!text.isEmpty() && !text.endsWith('\n'))
        text += '\n';
    return text.replace("\n", "\r\n");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray input = fuzzInput(data, size);
    const QString decoded = decodePath(input);
    FUZZ_CHECK(encodePath(decoded) == input);
    FUZZ_CHECK(decodePath(encodePath(decoded)) == decoded);

    const QStringList paths = parsePlaylistText(input);
    FUZZ_CHECK(formatPlaylistText(paths) == expectedSave(input));

    static const QString file = fuzzFilePath("list.sxp");
    writePlaylistFile(file, paths);
    FUZZ_CHECK(readFuzzFile(file) == expectedSave(input));
    FUZZ_CHECK(readPlaylistFile(file) == paths);
    return 0;
}
