#include "setup/engine/program_launcher.h"

#include "platform/program_start.h"

#include <cerrno>
#include <optional>

namespace setupkit {

LaunchResult ProgramLauncher::launch(const LaunchRequest&) {
    LaunchResult result;
    result.errorCode = ENOSYS;
    return result;
}

bool PlatformProgramLauncher::start(const std::string& windowsProgramPath) {
    try {
        lumora::platform::ProgramStart request;
        request.commandLine = "\"" + windowsProgramPath + "\"";
        lumora::platform::startProgram(drives_, request);
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

LaunchResult PlatformProgramLauncher::launch(const LaunchRequest& request) {
    LaunchResult result;
    lumora::platform::ProgramStart start;
    start.commandLine = request.commandLine;
    start.workingDirectory = request.workingDirectory;
    std::optional<lumora::platform::StartedProgram> program;
    try {
        program = lumora::platform::startProgram(drives_, start);
    } catch (const lumora::platform::ProgramStartError& error) {
        result.errorCode = error.code();
        return result;
    }
    result.started = true;
    if (request.wait) {
        try {
            result.exitCode = program->wait();
        } catch (const lumora::platform::ProgramStartError& error) {
            // Started, but its end cannot be waited for: it ran as far as we can tell.
            result.errorCode = error.code();
        }
    }
    return result;
}

} // namespace setupkit
