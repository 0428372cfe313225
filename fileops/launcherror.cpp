#include "fileops/launcherror.h"

#include <cerrno>

ELaunchError::ELaunchError(int code) : SxError(launchErrorText(code)), m_code(code) {}

namespace {

struct CodeText {
    int code;
    const char* text;
};

// The messages as the program has always shown them, spelling included.
constexpr CodeText kMessages[] = {
    {0, "Out of memory or executable file is corrupt"},
    {2, "File was not found"},
    {3, "Path was not found"},
    {5, "Sharing violation or netword error"},
    {6, "A library required separate data segments for each task"},
    {8, "Insufficient memory to start application"},
    {10, "Incorrect version of Windows"},
    {11, "File is not a Windows application or there was an error in the .EXE image"},
    {12, "Application was designed for a different operating system"},
    {13, "Application was designed for MS-DOS 4.0"},
    {14, "Unknown executable file type"},
    {15, "Cannot load a real-mode application"},
    {16, "Cannot load a second instance of an executable file containing multiple, "
         "non-read-only data segments"},
    {19, "Cannot load a compressed executable file"},
    {20, "A dynamic-link library (DLL) file is invalid"},
    {21, "Application requires Windows 32-bit extensions"},
    {31, "No association for specified file type"},
};

} // namespace

QString launchErrorText(int code) {
    for (const CodeText& entry : kMessages)
        if (entry.code == code)
            return QLatin1String(entry.text);
    return {};
}

int launchErrorCode(LaunchStage stage, int errorNumber) {
    using namespace launchcode;
    switch (errorNumber) {
    case ENOENT:
        // A missing folder is a missing path; a missing program (or the interpreter its first
        // line names) is a missing file.
        return stage == LaunchStage::Execute ? kFileNotFound : kPathNotFound;
    case ENOTDIR:
    case ELOOP:
    case ENAMETOOLONG:
        return kPathNotFound;
    case EACCES:
    case EPERM:
    case ETXTBSY:
        return kAccessDenied;
    case ENOMEM:
    case EAGAIN:
        return kOutOfMemory;
    case ENOEXEC:
        return kUnknownExecutable;
    case ELIBBAD:
        return kInvalidLibrary;
    default:
        return kResourcesOrCorrupt;
    }
}
