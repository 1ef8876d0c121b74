// The install log as the installer reads it: whatever the log holds, the records the
// controller reads from it, written out again, read back the same (the log keeps seven
// bits of the database-engine install type).

#include "fuzz_check.h"
#include "fuzz_scratch.h"
#include "platform/profile_document.h"
#include "setup/engine/language_library.h"
#include "setup/engine/program_launcher.h"
#include "setup/engine/scripted_setup_interaction.h"
#include "setup/engine/setup_info.h"
#include "setup/engine/setup_message_pump.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <tuple>

using lumora::fuzz::require;
using namespace setupkit;
namespace fs = std::filesystem;

namespace {

class IdlePump : public SetupMessagePump {
public:
    void processMessages() override {}
};

class NoLauncher : public ProgramLauncher {
public:
    bool start(const std::string&) override { return false; }
};

// A controller whose script installs into C:\Lumora\, which holds the log, on a drive C:
// in the scratch directory.
struct World {
    World() {
        const fs::path root = lumora::fuzz::scratchDirectory();
        fs::create_directories(root / "c/Lumora");
        fs::create_directories(root / "c/WINDOWS/SYSTEM");
        fs::create_directories(root / "tmp");
        services.drives.map('C', root / "c");
        services.programFile = root / "c/Lumora/setup";
        services.notesFile = root / "c/WINDOWS/TSETUP.INI";
        services.windowsDirectory = "C:\\WINDOWS";
        services.systemDirectory = "C:\\WINDOWS\\SYSTEM";
        services.temporaryDirectory = root / "tmp";
        services.interaction = &interaction;
        services.languageLoader = noLanguageLibrary();
        services.pump = &pump;
        services.launcher = &launcher;
    }
    TSetupInfo* controller(ComponentOwner& form) {
        TSetupInfo* info = form.Create<TSetupInfo>(services);
        TSetupDir* install = info->SetupData().FindDir("Install");
        install->SetDir("C:\\Lumora\\");
        info->SetupData().SetLogFileDir(install);
        return info;
    }
    ScriptedSetupInteraction interaction;
    IdlePump pump;
    NoLauncher launcher;
    SetupServices services;
};

auto records(const TSetupInfo& info) {
    return std::make_tuple(info.CreatedDirs(), info.InstalledFiles(), info.GroupNames(),
                           info.GroupItems(), info.InstalledBDEType() & 0x7F);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static World world;
    const fs::path log = lumora::fuzz::scratchDirectory() / "c/Lumora/INSTALL.LOG";
    // A language named in the log is the catalogue's to check (with a message box);
    // the records are what is read here.
    auto text = lumora::platform::ProfileDocument::parse(lumora::fuzz::asText(data, size));
    text.eraseSection("Language");
    lumora::fuzz::scratchFile("c/Lumora/INSTALL.LOG", text.serialize());

    ComponentOwner form;
    TSetupInfo* info = world.controller(form);
    info->ReadInstallLog("C:\\Lumora\\INSTALL.LOG", true);
    const auto read = records(*info);
    fs::remove(log);
    // The log's own directory entries may move the install directory anywhere; the
    // log goes back where it came from.
    info->SetupData().FindDir("Install")->SetDir("C:\\Lumora\\");
    info->WriteInstallLog();

    ComponentOwner again;
    TSetupInfo* reread = world.controller(again);
    reread->ReadInstallLog("C:\\Lumora\\INSTALL.LOG", true);
    if (records(*reread) != read) {
        const std::string written = lumora::fuzz::contentsOf(log);
        std::fprintf(stderr, "the log written:\n%s\n", written.c_str());
        require(false, "an install log written again reads back otherwise");
    }
    return 0;
}
