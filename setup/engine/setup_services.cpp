#include "setup/engine/setup_services.h"

#include "platform/instance_lock.h"
#include "platform/made_paths.h"
#include "platform/program_location.h"
#include "platform/system_directories.h"

namespace setupkit {

SetupServices systemSetupServices(std::vector<std::string> arguments) {
    namespace platform = lumora::platform;
    SetupServices services;
    services.madePathsFrom = platform::madePathCount();
    services.drives = platform::DriveMap::fromEnvironment();
    services.programFile = platform::programPath();
    services.arguments = std::move(arguments);
    services.notesFile = platform::windowsProfilePath("TSETUP.INI");
    services.windowsDirectory = platform::windowsDirectory(services.drives);
    services.systemDirectory = platform::systemDirectory(services.drives);
    services.temporaryDirectory = platform::temporaryDirectoryHost(services.drives);
    // One setup at a time for the user, whichever copy of it runs.
    services.instanceLockFile = platform::InstanceLock::userLockFilePath();
    services.languageLoader = languageLibraryIn(services.programFile.parent_path());
    return services;
}

} // namespace setupkit
