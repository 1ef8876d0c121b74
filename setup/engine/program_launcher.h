#pragma once
// How the installer starts other programs: its relaunched copy, a program it runs
// for the user, a database engine's own setup program. A seam, so tests can check
// what would be started without starting it.

#include "platform/drive_map.h"

#include <string>

namespace setupkit {

// One program to run, as the installer names it.
struct LaunchRequest {
    std::string commandLine;      // program (a Windows path or a bare name), then arguments
    std::string workingDirectory; // Windows path; empty keeps ours
    bool wait = true;             // return only when the program has ended
};

struct LaunchResult {
    bool started = false;
    int errorCode = 0; // the system's error number when it could not be started
    int exitCode = 0;  // when it was waited for
};

class ProgramLauncher {
public:
    virtual ~ProgramLauncher() = default;
    // Starts the program at the Windows path with no arguments, without waiting;
    // false when it cannot be started.
    virtual bool start(const std::string& windowsProgramPath) = 0;
    // Runs a command line. A launcher that cannot run programs answers "not started"
    // (ENOSYS).
    virtual LaunchResult launch(const LaunchRequest& request);
};

// Starts real programs through the platform's program start.
class PlatformProgramLauncher : public ProgramLauncher {
public:
    explicit PlatformProgramLauncher(const lumora::platform::DriveMap& drives) : drives_(drives) {}
    bool start(const std::string& windowsProgramPath) override;
    LaunchResult launch(const LaunchRequest& request) override;

private:
    const lumora::platform::DriveMap& drives_;
};

} // namespace setupkit
