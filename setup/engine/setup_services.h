#pragma once
// Everything the installer's controller asks of the world, handed in by the program
// (or a test): the drive map, where the program is and how it was called, where the
// notes between runs live, the system directories, and the seams for the user, the
// message loop and starting programs.

#include "platform/drive_map.h"
#include "setup/engine/language_library.h"

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace lumora::platform {
class ProgmanShell;
class Registry;
} // namespace lumora::platform

namespace setupkit {

class SetupInteraction;
class SetupMessagePump;
class ProgramLauncher;

struct SetupServices {
    lumora::platform::DriveMap drives;
    std::filesystem::path programFile;  // the running program, a host path
    std::vector<std::string> arguments; // the command line after the program name
    std::filesystem::path notesFile;    // TSETUP.INI in the Windows directory
    std::string windowsDirectory;       // Windows paths without a trailing backslash
    std::string systemDirectory;
    std::filesystem::path temporaryDirectory; // host directory for private copies
    // The lock that keeps a second setup from running; empty: one lock per program file.
    std::filesystem::path instanceLockFile;
    // An unattended run waits for the copy it relaunches and ends with its status; the
    // copy gets these arguments.
    bool waitForRelaunch = false;
    std::vector<std::string> relaunchArguments;
    SetupInteraction* interaction = nullptr;
    LanguageLibraryLoader languageLoader;
    SetupMessagePump* pump = nullptr;
    ProgramLauncher* launcher = nullptr;
    // The Program Manager the groups and uninstall pages talk to; without one they
    // use the current user's desktop menus.
    lumora::platform::ProgmanShell* shell = nullptr;
    // The registry stand-in; without one the current user's store is used.
    lumora::platform::Registry* registry = nullptr;
    // Where the platform's list of what this process made among the user's settings
    // begins for this run; setup records those paths in the log from there on.
    // Nothing: they are not recorded.
    std::optional<std::size_t> madePathsFrom;
    // The application is told to end with this exit code (after the current event).
    std::function<void(int exitCode)> quit;
};

// The services of the running program: the user's drive map, the program file,
// TSETUP.INI, the Windows, system and temporary directories and the language library
// beside the program. The seams are left for the caller to fill.
SetupServices systemSetupServices(std::vector<std::string> arguments);

} // namespace setupkit
