// setup as an administrator's script meets it: exit statuses, the command line,
// unattended runs without a display, and the lock that keeps two setups apart.

#include "machine.h"

#include "platform/instance_lock.h"

#include <gtest/gtest.h>

#include <iterator>
#include <optional>
#include <string>

namespace setupkit::e2e {
namespace {

namespace fs = std::filesystem;
using lumora::testing::readFile;
using lumora::testing::writeFile;

fs::path distSetup() {
    return Machine::distribution() / "setup";
}

std::string answers(const char* name) {
    return readFile(lumora::testing::sourceDir() / "data/installer" / name);
}

bool contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

std::size_t menuEntries(const Machine& machine) {
    const fs::path applications = machine.home() / ".local/share/applications";
    return static_cast<std::size_t>(
        std::distance(fs::directory_iterator(applications), fs::directory_iterator()));
}

TEST(ExitStatus, EachWayARunEndsHasItsOwnStatus) {
    const struct {
        const char* run;
        RunSettings settings;
        int status;
        const char* logged;
    } cases[] = {
        {"cancelled by the user",
         {{}, "press Cancel\nanswer Yes Cancel Setup?\nanswer OK Setup failed.\n"},
         2,
         "Setup failed."},
        {"a question the answer file does not cover",
         {{}, "press Cancel\nanswer No\n"},
         3,
         "no button press left"},
        {"an empty answer file", {{}, ""}, 64, "is empty"},
        {"an unknown option", {{"--frobnicate"}}, 64, "frobnicate"},
        {"an option that needs --unattended", {{"--no-menu"}}, 64, "--unattended"},
        {"an overwrite rule it does not know",
         {{"--unattended", "--overwrite", "maybe"}},
         64,
         "never, older or always"},
        {"help", {{"--help"}, std::nullopt, false, false}, 0, "64  the command line"},
        {"version", {{"--version"}, std::nullopt, false, false}, 0, "1."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.run);
        Machine machine;
        const auto before = machine.listing();
        const ProcessRun run = machine.run(distSetup(), c.settings);
        ASSERT_FALSE(run.timedOut) << run.log;
        EXPECT_EQ(run.exitCode, c.status) << run.log;
        EXPECT_TRUE(contains(run.log, c.logged)) << run.log;
        EXPECT_EQ(listingDifference(before, machine.listing()), "");
    }
}

TEST(ExitStatus, ACopyErrorFailsTheRun) {
    Machine machine;
    // A folder in the place of a file: copying over it fails, whoever runs setup, and
    // the defaults abort on the error.
    fs::create_directories(machine.installDir() / "description.txt");
    const ProcessRun run = machine.run(
        distSetup(), {{"--unattended", "--overwrite", "always"}, std::nullopt, false, false});
    ASSERT_FALSE(run.timedOut) << run.log;
    EXPECT_EQ(run.exitCode, 1) << run.log;
    EXPECT_TRUE(contains(run.log, "answered Abort (default)")) << run.log;
    EXPECT_TRUE(contains(run.log, "Setup failed.")) << run.log;
}

TEST(ExitStatus, TheUninstallWaitsForItsWorkingCopyAndEndsWithItsStatus) {
    Machine machine;
    const auto before = machine.listing();
    ASSERT_EQ(machine.run(distSetup(), {}, answers("unattended-install.txt")).exitCode, 0);
    const fs::path installed = machine.installDir() / "setup";

    // Cancelled in the copy: the run that started it says so.
    const ProcessRun cancelled =
        machine.run(installed, {"UNINSTALL"},
                    "press Cancel\nanswer Yes Cancel Setup?\nanswer OK UnInstall failed.\n");
    EXPECT_EQ(cancelled.exitCode, 2) << cancelled.log;
    EXPECT_TRUE(fs::is_empty(machine.temporaryDir())) << "the working copy is left";
    EXPECT_TRUE(fs::exists(machine.installDir() / "INSTALL.LOG"));

    // The answer file named relative to where the uninstall starts: its copy runs from
    // a temporary folder and still finds it.
    const ProcessRun removed =
        machine.run(installed, {{"UNINSTALL"}, answers("unattended-uninstall.txt"), true});
    EXPECT_EQ(removed.exitCode, 0) << removed.log;
    EXPECT_TRUE(contains(removed.log, "UnInstall completed successfully.")) << removed.log;
    EXPECT_TRUE(fs::is_empty(machine.temporaryDir()));
    EXPECT_EQ(listingDifference(before, machine.listing()), "");
}

TEST(UninstallNote, ANoteLeftByAnUninstallThatNeverRanDoesNotTurnAnInstallIntoAnUninstall) {
    Machine machine;
    // What an uninstall leaves when its working copy never starts.
    writeFile(machine.notesFile(), "[UnInstall]\r\n"
                                   "Program=C:\\tmp\\lumora-setup-gone\\setup\r\n"
                                   "Log File=C:\\Lumora\\INSTALL.LOG\r\n");
    const ProcessRun run = machine.run(distSetup(), {}, answers("unattended-install.txt"));
    EXPECT_EQ(run.exitCode, 0) << run.log;
    EXPECT_TRUE(contains(run.log, "Setup completed successfully.")) << run.log;
    EXPECT_TRUE(fs::exists(machine.installDir() / "Lumora"));
    EXPECT_TRUE(!fs::exists(machine.notesFile()) ||
                !contains(readFile(machine.notesFile()), "UnInstall"));
}

TEST(Unattended, InstallsAndUninstallsWithTheDefaultsAndNoDisplay) {
    const struct {
        const char* run;
        std::vector<std::string> options;
        fs::path folder; // under the home
        std::size_t menuEntries;
    } cases[] = {
        {"the default folder", {}, "Lumora", 5},
        {"another folder without menu entries",
         {"--target", "Apps/Lumora", "--no-menu"},
         "Apps/Lumora",
         0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.run);
        Machine machine;
        const auto before = machine.listing();
        const fs::path log = machine.temporaryDir() / "setup.log";
        std::vector<std::string> install = {"--unattended", "--log", log.string()};
        install.insert(install.end(), c.options.begin(), c.options.end());
        // The target is named relative to where setup runs, the distribution's folder.
        for (std::string& option : install)
            if (option == "Apps/Lumora")
                option =
                    fs::relative(machine.home() / "Apps/Lumora", Machine::distribution()).string();
        const ProcessRun installRun =
            machine.run(distSetup(), {install, std::nullopt, false, false});
        ASSERT_FALSE(installRun.timedOut) << installRun.log;
        ASSERT_EQ(installRun.exitCode, 0) << installRun.log;
        EXPECT_TRUE(contains(readFile(log), "Setup completed successfully.")) << readFile(log);
        const fs::path folder = machine.home() / c.folder;
        EXPECT_TRUE(fs::exists(folder / "Lumora"));
        EXPECT_TRUE(fs::exists(folder / "INSTALL.LOG"));
        EXPECT_EQ(menuEntries(machine), c.menuEntries);

        const ProcessRun uninstall = machine.run(
            folder / "setup", {{"--unattended", "UNINSTALL"}, std::nullopt, false, false});
        ASSERT_FALSE(uninstall.timedOut) << uninstall.log;
        EXPECT_EQ(uninstall.exitCode, 0) << uninstall.log;
        EXPECT_TRUE(contains(uninstall.log, "UnInstall completed successfully.")) << uninstall.log;
        fs::remove(log);
        EXPECT_EQ(listingDifference(before, machine.listing()), "");
    }
}

TEST(SingleInstance, ASecondSetupIsRefusedForTheSameUserOrTheSameFolder) {
    using lumora::platform::DirectoryLock;
    using lumora::platform::InstanceLock;
    const struct {
        const char* holder;
        bool userLock; // else the folder the install goes into
        const char* logged;
    } cases[] = {
        {"another unpacked copy run by the same user", true,
         "Only one instance of the setup program allowed."},
        {"a setup of another user installing into the same folder", false,
         "Another setup is installing into "},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.holder);
        Machine machine;
        // The other setup holds its lock while this one runs.
        std::optional<InstanceLock> user;
        std::optional<DirectoryLock> folder;
        if (c.userLock)
            user.emplace(InstanceLock::File{machine.runtimeDir() / "lumora-setup.lock"});
        else
            folder.emplace(machine.home()); // ~/Lumora is made in it
        ASSERT_EQ(c.userLock ? user->state() : folder->state(), InstanceLock::State::Held);
        const auto before = machine.listing();
        const ProcessRun run =
            machine.run(distSetup(), {{"--unattended"}, std::nullopt, false, false});
        EXPECT_EQ(run.exitCode, 1) << run.log;
        EXPECT_TRUE(contains(run.log, c.logged)) << run.log;
        EXPECT_FALSE(fs::exists(machine.installDir() / "Lumora"));
        if (c.userLock) {
            EXPECT_EQ(listingDifference(before, machine.listing()), "");
        }
    }
}

TEST(Check, ASoundDistributionPassesAndABrokenOneIsNamedFileByFile) {
    Machine machine;
    const ProcessRun sound = machine.run(distSetup(), {{"--check"}, std::nullopt, false, false});
    EXPECT_EQ(sound.exitCode, 0) << sound.log;
    EXPECT_TRUE(contains(sound.log, "Install: C:\\Lumora\\ (" + machine.installDir().string()))
        << sound.log;
    EXPECT_TRUE(contains(sound.log, "  Lumora (")) << sound.log;
    EXPECT_TRUE(contains(sound.log, "The distribution is sound.")) << sound.log;
    EXPECT_FALSE(fs::exists(machine.installDir()));

    const fs::path copy = machine.temporaryDir() / "Lumora-setup";
    fs::copy(Machine::distribution(), copy);
    const std::string text = readFile(copy / "order.txt");
    writeFile(copy / "order.txt", text.substr(0, text.size() / 2));
    fs::remove(copy / "file_id.diz");
    // Damaged at its recorded size: only the checksum tells.
    std::string readMe = readFile(copy / "ReadMe.txt");
    readMe[readMe.size() / 2] ^= 0x20;
    writeFile(copy / "ReadMe.txt", readMe);
    const std::string language = readFile(copy / "TSLANG32.DLL");
    writeFile(copy / "TSLANG32.DLL", language.substr(0, language.size() / 2));
    const ProcessRun broken =
        machine.run(copy / "setup", {{"--check"}, std::nullopt, false, false});
    EXPECT_EQ(broken.exitCode, 1) << broken.log;
    EXPECT_TRUE(contains(broken.log, "Problem: order.txt: " + std::to_string(text.size() / 2) +
                                         " bytes, the script records " +
                                         std::to_string(text.size())))
        << broken.log;
    EXPECT_TRUE(contains(broken.log, "Problem: file_id.diz: missing")) << broken.log;
    EXPECT_TRUE(contains(broken.log, "Problem: ReadMe.txt: its checksum differs")) << broken.log;
    EXPECT_TRUE(contains(broken.log, "Problem: TSLANG32.DLL: it holds")) << broken.log;
    EXPECT_TRUE(contains(broken.log, "The distribution is not sound.")) << broken.log;
}

} // namespace
} // namespace setupkit::e2e
