#include "fileops/launcherror.h"

#include <cerrno>

ELaunchError::ELaunchError(int code) : SxError(launchErrorText(code)), m_code(code) {}

QString launchErrorText(int code) {
    switch (code) {
    case 0:
        return QStringLiteral("Out of memory or executable file is corrupt");
    case 2:
        return QStringLiteral("File was not found");
    case 3:
        return QStringLiteral("Path was not found");
    case 5:
        return QStringLiteral("Sharing violation or netword error");
    case 6:
        return QStringLiteral("A library required separate data segments for each task");
    case 8:
        return QStringLiteral("Insufficient memory to start application");
    case 10:
        return QStringLiteral("Incorrect version of Windows");
    case 11:
        return QStringLiteral(
            "File is not a Windows application or there was an error in the .EXE image");
    case 12:
        return QStringLiteral("Application was designed for a different operating system");
    case 13:
        return QStringLiteral("Application was designed for MS-DOS 4.0");
    case 14:
        return QStringLiteral("Unknown executable file type");
    case 15:
        return QStringLiteral("Cannot load a real-mode application");
    case 16:
        return QStringLiteral("Cannot load a second instance of an executable file containing "
                              "multiple, non-read-only data segments");
    case 19:
        return QStringLiteral("Cannot load a compressed executable file");
    case 20:
        return QStringLiteral("A dynamic-link library (DLL) file is invalid");
    case 21:
        return QStringLiteral("Application requires Windows 32-bit extensions");
    case 31:
        return QStringLiteral("No association for specified file type");
    default:
        return {};
    }
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
