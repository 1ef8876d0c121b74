#pragma once
// Starting another program from a Windows command line and waiting for it, the way
// the installer runs its relaunched copy, a viewer or an engine's setup program.

#include "drive_map.h"
#include "file_descriptor.h"

#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <sys/types.h>
#include <utility>
#include <vector>

namespace lumora::platform {

// Splits a command line with the Windows rules: blanks separate arguments; double
// quotes group (a doubled quote inside quotes is one quote); 2n backslashes before a
// quote give n backslashes, 2n+1 give n and a literal quote; other backslashes are
// literal. The program name (first argument) ends at the first blank outside quotes
// and keeps its backslashes as they are.
std::vector<std::string> splitCommandLine(std::string_view commandLine);

// The program could not be started; code() is the errno of the failure.
class ProgramStartError : public std::runtime_error {
public:
    ProgramStartError(const std::string& what, int code) : std::runtime_error(what), code_(code) {}
    int code() const { return code_; }

private:
    int code_;
};

struct ProgramStart {
    std::string commandLine = {};      // program, then its arguments
    std::string workingDirectory = {}; // Windows or host path; empty keeps ours
    // Arguments that are absolute Windows paths on a mapped drive ("C:\X\README.TXT")
    // are handed over as host paths, since the program started is a host program.
    bool translatePathArguments = true;
};

// How a program ended: its exit code, or the signal that killed it.
struct ProgramEnd {
    int exitCode = 0;
    int signal = 0; // not 0 when a signal ended it
    // Processor time (user and system) the program used, with that of the programs it
    // started and waited for.
    double cpuSeconds = 0;
};

// A started program. The destructor neither waits nor kills: a program started
// without waiting goes on after we end.
class StartedProgram {
public:
    explicit StartedProgram(pid_t pid) : pid_(pid) {}
    pid_t pid() const { return pid_; }
    // Waits without time limit. The exit code, or 128 + the signal number when the
    // program was killed, as shells report it.
    int wait();
    // Waits without time limit; tells an exit from a kill.
    ProgramEnd waitForEnd();
    // Ends the program at once (it cannot refuse).
    void kill();
    // The exit code when the program has ended, nothing while it runs.
    std::optional<int> poll();

private:
    pid_t pid_;
    std::optional<ProgramEnd> end_;
};

// Resolves the program and starts it (posix_spawn). A program named by a Windows
// path goes through the drive map; a bare name is looked up in the working
// directory, then in PATH, each without regard to case. A name ending in ".exe"
// that does not exist is tried again without that extension, since our programs
// carry none.
// Throws ProgramStartError when the program is missing or cannot be executed.
StartedProgram startProgram(const DriveMap& drives, const ProgramStart& request);

// Where a started host program's standard input or output goes.
enum class StandardStream {
    Inherit, // ours
    Pipe,    // a pipe to us
    Null,    // the null device
};

struct HostProgramStart {
    std::string program = {};                // host path of the executable
    std::vector<std::string> arguments = {}; // after the program name
    std::string workingDirectory = {};       // host path; empty keeps ours
    StandardStream input = StandardStream::Inherit;
    StandardStream output = StandardStream::Inherit;
    // Set in the program's environment on top of ours.
    std::vector<std::pair<std::string, std::string>> environment = {};
};

// A started host program and our ends of its piped streams (invalid when not piped).
struct PipedProgram {
    StartedProgram program;
    FileDescriptor input;  // we write, it reads
    FileDescriptor output; // it writes, we read
};

// Starts a host program as named, without drive map or search. Our ends of its pipes
// are closed in any program started later. Throws ProgramStartError.
PipedProgram startHostProgram(const HostProgramStart& request);

// Starts and waits; the program's exit code.
int runProgramAndWait(const DriveMap& drives, const ProgramStart& request);

} // namespace lumora::platform
