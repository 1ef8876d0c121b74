#pragma once
// setup's command line for administrators, read from one table so that --help and the
// parsing cannot drift apart. Without options setup runs its wizard as always.

#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace setupkit {

struct SetupCommandLine {
    enum class Action { Wizard, Help, Version, Check };
    Action action = Action::Wizard;
    bool unattended = false;
    std::optional<std::string> target; // as given: a host path or a Windows path
    bool noMenu = false;
    std::optional<std::string> overwrite; // never, older or always
    std::optional<std::string> logFile;
    std::vector<std::string> arguments; // what follows the options (UNINSTALL)
    std::string error;                  // why the line cannot be used; empty when it can
};

// A command line that parses but cannot be carried out (--target naming no drive).
class EUsage : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

SetupCommandLine parseSetupCommandLine(const std::vector<std::string>& argv);

// The help text: usage, every option of the table, the exit codes.
std::string setupHelpText();
std::string setupVersionText();

} // namespace setupkit
