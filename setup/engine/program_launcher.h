#pragma once
// How the installer starts its relaunched copy: a seam, so tests can check what
// would be started without starting it.

#include "platform/drive_map.h"

#include <string>

namespace setupkit {

class ProgramLauncher {
public:
    virtual ~ProgramLauncher() = default;
    // Starts the program at the Windows path with no arguments, without waiting;
    // false when it cannot be started.
    virtual bool start(const std::string& windowsProgramPath) = 0;
};

// Starts real programs through the platform's program start.
class PlatformProgramLauncher : public ProgramLauncher {
public:
    explicit PlatformProgramLauncher(const lumora::platform::DriveMap& drives) : drives_(drives) {}
    bool start(const std::string& windowsProgramPath) override;

private:
    const lumora::platform::DriveMap& drives_;
};

} // namespace setupkit
