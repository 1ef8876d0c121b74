#include "setup/engine/program_launcher.h"

#include "platform/program_start.h"

namespace setupkit {

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

} // namespace setupkit
