#pragma once

#include "base/sxerror.h"

#include <QString>

// A start that the system refused. The code is the launcher's own error code; the message is the
// text that belongs to it, empty for a code without one.
class ELaunchError : public SxError {
public:
    explicit ELaunchError(int code);
    int code() const { return m_code; }

private:
    int m_code;
};

// The message of a launch error code.
QString launchErrorText(int code);

namespace launchcode {
inline constexpr int kFileNotFound = 2;
inline constexpr int kPathNotFound = 3;
inline constexpr int kAccessDenied = 5;
inline constexpr int kOutOfMemory = 8;
inline constexpr int kUnknownExecutable = 14;
inline constexpr int kInvalidLibrary = 20;
inline constexpr int kNoAssociation = 31;
inline constexpr int kResourcesOrCorrupt = 0;
} // namespace launchcode

// What failed while starting a program: changing into its working directory, finding the folder
// the program is in, or loading the program.
enum class LaunchStage { ChangeDirectory, LocateProgram, Execute };
// The launch error code for a system error number reported by that stage.
int launchErrorCode(LaunchStage stage, int errorNumber);
