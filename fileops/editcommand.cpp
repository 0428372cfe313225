#include "fileops/editcommand.h"

#include "base/configkeys.h"
#include "base/inistore.h"
#include "base/pathcodec.h"
#include "base/prompt.h"
#include "fileops/launcher.h"

#include <QStandardPaths>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

bool isRegularFile(const QByteArray& path) {
    struct stat st {};
    return !path.isEmpty() && ::stat(path.constData(), &st) == 0 && S_ISREG(st.st_mode);
}

bool isExecutableFile(const QByteArray& path) {
    return isRegularFile(path) && faccessat(AT_FDCWD, path.constData(), X_OK, AT_EACCESS) == 0;
}

// The program the `Editor` setting names, or empty when it names no executable file. A value
// without a "/" is a command, looked up on PATH as execvp would; a directory, or a script without
// its execute bit, is no editor. A NUL would cut the path the system sees, so such a value names
// nothing.
QByteArray editorProgram(const QString& value) {
    if (value.contains(QChar(0)))
        return {};
    QByteArray program = encodePath(value);
    if (!program.isEmpty() && !program.contains('/'))
        program = encodePath(QStandardPaths::findExecutable(value));
    return isExecutableFile(program) ? program : QByteArray();
}

} // namespace

EditCommand::EditCommand(Launcher& launcher, Prompt& prompt, const IniStore& store, Hooks hooks)
    : m_launcher(launcher), m_prompt(prompt), m_store(store), m_hooks(std::move(hooks)) {}

void EditCommand::editSelected() {
    m_hooks.stopPlayback();
    const QByteArray wavPath = m_hooks.currentFilePath();
    if (!isRegularFile(wavPath)) {
        m_prompt.error(QStringLiteral("The specified WAV file does not exist."));
        return;
    }
    const QByteArray editor = editorProgram(
        m_store.readString(QLatin1String(cfg::kPreferences), QLatin1String(cfg::kEditor), {}));
    if (editor.isEmpty()) {
        m_prompt.information(QStringLiteral("A valid WAV editor has not been specified."));
        return;
    }
    m_launcher.setProgramName(editor);
    m_launcher.setStartDir(wavPath.left(wavPath.lastIndexOf('/') + 1));
    m_launcher.setParameters(wavPath);
    m_launcher.StartProgram();
}
