// The distribution's setup as a user runs it: real processes, offscreen, a temporary
// home, answers from an answer file.

#include "machine.h"

#include "setup/form/form_resource.h"
#include "setup/form/form_stream_reader.h"
#include "setup/form/setup_data_property.h"
#include "setup/script/dos_date_time.h"
#include "setup/script/setup_data.h"
#include "setup/script/value_reader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <iterator>
#include <memory>
#include <sstream>
#include <sys/stat.h>
#include <tuple>

namespace setupkit::e2e {
namespace {

namespace fs = std::filesystem;
using lumora::testing::readFile;
using lumora::testing::writeFile;

fs::path distSetup() {
    return Machine::distribution() / "setup";
}

std::unique_ptr<TSetupData> shippedScript() {
    const auto stream = form::findPackedResource(readFile(distSetup()), form::kSetupFormResource);
    if (!stream)
        throw std::runtime_error("the distribution's setup holds no form");
    const form::FormComponent tree = form::readFormStream(*stream);
    const form::FormProperty* setupData = form::findSetupDataProperty(tree);
    if (!setupData)
        throw std::runtime_error("the form holds no install script");
    auto script = std::make_unique<TSetupData>();
    ValueReader reader(setupData->value.encoded);
    script->ReadData(reader);
    return script;
}

TEST(Distribution, ShipsEveryFileOfItsScriptWithItsRealSizeAndDate) {
    const auto scriptHolder = shippedScript();
    const TSetupData& script = *scriptHolder;
    ASSERT_EQ(script.Files().size(), 13u);
    std::size_t shipped = 0;
    std::size_t compressed = 0;
    for (const TSetupFile* file : script.Files()) {
        SCOPED_TRACE(file->Name());
        const fs::path path = Machine::builtFiles() / file->Name();
        const fs::path inFolder = Machine::distribution() / file->Name();
        ASSERT_TRUE(fs::is_regular_file(inFolder));
        // The record tells the file as built; a compressed one ships smaller.
        EXPECT_EQ(static_cast<std::uintmax_t>(file->Size()), fs::file_size(path));
        EXPECT_EQ(static_cast<std::uintmax_t>(file->CompressedSize()), fs::file_size(inFolder));
        if (file->Compressed()) {
            ++compressed;
            EXPECT_LT(file->CompressedSize(), file->Size());
        } else if (file->Name() != "setup") { // setup carries the final form
            EXPECT_TRUE(readFile(inFolder) == readFile(path));
        }
        struct stat info {};
        ASSERT_EQ(::stat(path.c_str(), &info), 0);
        std::tm local{};
        localtime_r(&info.st_mtime, &local);
        // File dates are kept to two seconds, as the install script always kept them.
        const CalendarDateTime recorded = decodeDateTime(file->DateTime());
        EXPECT_EQ(std::tie(recorded.year, recorded.month, recorded.day, recorded.hour,
                           recorded.minute, recorded.second),
                  std::make_tuple(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,
                                  local.tm_hour, local.tm_min, local.tm_sec / 2 * 2));
        ++shipped;
    }
    EXPECT_EQ(compressed, 2u);
    // setup and the program are among them, and nothing else lies in the folder but
    // the list of their checksums.
    EXPECT_NE(script.FindFile("setup"), nullptr);
    EXPECT_NE(script.FindFile("Lumora"), nullptr);
    EXPECT_TRUE(fs::is_regular_file(Machine::distribution() / "SETUP.SUM"));
    EXPECT_EQ(static_cast<std::size_t>(std::distance(
                  fs::directory_iterator(Machine::distribution()), fs::directory_iterator())),
              shipped + 1);
}

TEST(UnattendedInstall, CancelOnTheWelcomePageLeavesTheHomeAsItWas) {
    Machine machine;
    const auto before = machine.listing();
    const ProcessRun run = machine.run(distSetup(), {},
                                       "press Cancel\n"
                                       "answer Yes Cancel Setup?\n"
                                       "answer OK Setup failed.\n");
    EXPECT_FALSE(run.timedOut);
    EXPECT_EQ(run.exitCode, 2) << run.log;
    EXPECT_EQ(listingDifference(before, machine.listing()), "");
}

TEST(UnattendedInstall, AQuestionTheAnswerFileDoesNotCoverStopsTheRunWithItsText) {
    Machine machine;
    const ProcessRun run = machine.run(distSetup(), {}, "press Cancel\nanswer No\n");
    EXPECT_EQ(run.exitCode, 3);
    EXPECT_NE(run.log.find("Cancel Setup?"), std::string::npos) << run.log;
    EXPECT_NE(run.log.find("the answer file has no button press left for the page \"Welcome\""),
              std::string::npos)
        << run.log;
}

// The answer files the README gives: an install into the default place that offers
// no read-me, and the uninstall.
std::string answers(const char* name) {
    return readFile(lumora::testing::sourceDir() / "data/installer" / name);
}
const std::string kInstallAnswers = answers("unattended-install.txt");
const std::string kUninstallAnswers = answers("unattended-uninstall.txt");

// The host paths the install log names in its sections of directories and files.
std::vector<std::string> loggedPaths(const Machine& machine) {
    std::vector<std::string> paths;
    std::string section;
    std::istringstream log(readFile(machine.installDir() / "INSTALL.LOG"));
    for (std::string line; std::getline(log, line);) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.starts_with("[")) {
            section = line;
        } else if ((section == "[Created Dirs]" || section == "[Files]") &&
                   line.starts_with("C:\\")) {
            std::string path = line.substr(3, line.find('=') - 3);
            std::replace(path.begin(), path.end(), '\\', '/');
            paths.push_back(path);
        }
    }
    return paths;
}

// The path of one listing line, without what it says of the file.
std::string listedPath(const std::string& line) {
    if (line.ends_with("/"))
        return line;
    if (const auto link = line.find(" -> "); link != std::string::npos)
        return line.substr(0, link);
    const auto hash = line.rfind(' ');
    return line.substr(0, line.rfind(' ', hash - 1));
}

void expectValidMenuEntries(const Machine& machine) {
    const fs::path applications = machine.home() / ".local/share/applications";
    std::size_t entries = 0;
    for (const auto& entry : fs::directory_iterator(applications)) {
        ++entries;
        if (std::system("command -v desktop-file-validate >/dev/null") != 0)
            continue;
        const std::string command =
            "desktop-file-validate '" + entry.path().string() + "' >/dev/null 2>&1";
        EXPECT_EQ(std::system(command.c_str()), 0) << entry.path();
    }
    // The program, its help, the order text, the read-me and UNINSTALL, which starts the
    // installed setup with its argument.
    EXPECT_EQ(entries, 5u);
    bool uninstallItem = false;
    for (const auto& entry : fs::directory_iterator(applications)) {
        const std::string text = readFile(entry.path());
        // Each entry shows the program's icon, installed beside it.
        const auto icon = text.find("\nIcon=");
        ASSERT_NE(icon, std::string::npos) << text;
        const std::string iconPath = text.substr(icon + 6, text.find('\n', icon + 1) - icon - 6);
        EXPECT_EQ(iconPath, (machine.installDir() / "Lumora.png").string());
        EXPECT_TRUE(fs::is_regular_file(iconPath)) << iconPath;
        if (text.find("Name=UNINSTALL\n") == std::string::npos)
            continue;
        uninstallItem = true;
        const std::string exec =
            "Exec=" + (machine.installDir() / "setup").string() + " UNINSTALL\n";
        EXPECT_NE(text.find(exec), std::string::npos) << text;
    }
    EXPECT_TRUE(uninstallItem);
}

TEST(UnattendedInstall, InstallsLumoraAndItsUninstallLeavesTheHomeAsItWas) {
    Machine machine;
    const auto before = machine.listing();

    const ProcessRun install = machine.run(distSetup(), {}, kInstallAnswers);
    ASSERT_FALSE(install.timedOut) << install.log;
    ASSERT_EQ(install.exitCode, 0) << install.log;

    const auto scriptHolder = shippedScript();
    for (const TSetupFile* file : scriptHolder->Files()) {
        SCOPED_TRACE(file->Name());
        // A compressed file arrives expanded, as built; the rest as they ship.
        const fs::path original =
            (file->Compressed() ? Machine::builtFiles() : Machine::distribution()) / file->Name();
        EXPECT_TRUE(readFile(machine.installDir() / file->Name()) == readFile(original));
    }
    EXPECT_EQ(fs::status(machine.installDir() / "Lumora").permissions() & fs::perms::owner_exec,
              fs::perms::owner_exec);
    // The log, section by section: the script's directories as this machine resolved
    // them, what was made, what was written (sorted as text), the menu entries.
    EXPECT_EQ(readFile(machine.installDir() / "INSTALL.LOG"),
              "[Directories]\r\n"
              "Windows System=SYSTEM\\\r\n"
              "Windows=C:\\.local\\share\\lumora-setup\\WINDOWS\\\r\n"
              "Install=C:\\Lumora\\\r\n"
              "\r\n[Created Dirs]\r\n"
              "C:\\Lumora\\=\r\n"
              "\r\n[Files]\r\n"
              "C:\\Lumora\\description.txt=\r\nC:\\Lumora\\file_id.diz=\r\n"
              "C:\\Lumora\\html_filter.txt=\r\nC:\\Lumora\\Lumora=\r\n"
              "C:\\Lumora\\Lumora.hlp=\r\nC:\\Lumora\\Lumora.ico=\r\n"
              "C:\\Lumora\\Lumora.png=\r\n"
              "C:\\Lumora\\order.txt=\r\nC:\\Lumora\\ReadMe.txt=\r\n"
              "C:\\Lumora\\recentflz.ini=\r\nC:\\Lumora\\setup=\r\n"
              "C:\\Lumora\\TSComp32.DLL=\r\nC:\\Lumora\\TSLANG32.DLL=\r\n"
              "\r\n[Program Groups]\r\n"
              "0=Lumora:~:\r\n1=Lumora:~:Lumora\r\n2=Lumora:~:Lumora.hlp\r\n"
              "3=Lumora:~:order.txt\r\n4=Lumora:~:ReadMe.txt\r\n5=Lumora:~:UNINSTALL\r\n"
              "\r\n[Language]\r\n"
              "Language=English\r\n"
              "\r\n[Drives]\r\n"
              "C:=" +
                  machine.home().string() + "\r\n");
    EXPECT_EQ(loggedPaths(machine).size(), 1u + scriptHolder->Files().size());
    EXPECT_FALSE(fs::exists(machine.installDir() / "INSTALL.LOG.journal"));
    expectValidMenuEntries(machine);
    const std::string registry = readFile(machine.home() / ".config/lumora-setup/registry");
    EXPECT_NE(registry.find("Lumora"), std::string::npos) << registry;

    const ProcessRun uninstall =
        machine.run(machine.installDir() / "setup", {"UNINSTALL"}, kUninstallAnswers);
    ASSERT_FALSE(uninstall.timedOut) << uninstall.log;
    EXPECT_EQ(uninstall.exitCode, 0) << uninstall.log;
    // The copy that did the work ran from a private temporary directory, now gone.
    EXPECT_NE(uninstall.log.find("UnInstall completed successfully."), std::string::npos)
        << uninstall.log;
    EXPECT_TRUE(fs::is_empty(machine.temporaryDir()));
    EXPECT_EQ(listingDifference(before, machine.listing()), "");
}

TEST(UnattendedInstall, CancelOnAnyPageLeavesOnlyWhatTheLogRecords) {
    const struct {
        const char* page;
        std::string answers;
    } cases[] = {
        {"destination", "press Next\npress Cancel\nanswer Yes Cancel Setup?\n"},
        {"about to copy",
         "press Next\npress Next\nanswer Yes\npress Cancel\nanswer Yes Cancel Setup?\n"},
        {"program groups", "press Next\npress Next\nanswer Yes\npress Next\npress Cancel\n"
                           "answer Yes Cancel Setup?\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.page);
        Machine machine;
        const auto before = machine.listing();
        const ProcessRun run =
            machine.run(distSetup(), {}, c.answers + "answer OK Setup failed.\n");
        ASSERT_FALSE(run.timedOut) << run.log;
        EXPECT_EQ(run.exitCode, 2) << run.log;
        // What was added is exactly what the log records, and the log.
        std::vector<std::string> expected;
        if (fs::exists(machine.installDir() / "INSTALL.LOG")) {
            for (const std::string& path : loggedPaths(machine))
                expected.push_back(path);
            expected.push_back("Lumora/INSTALL.LOG");
        }
        std::vector<std::string> added;
        for (const std::string& line : machine.listing())
            if (!std::binary_search(before.begin(), before.end(), line))
                added.push_back(listedPath(line));
        std::sort(expected.begin(), expected.end());
        std::sort(added.begin(), added.end());
        EXPECT_EQ(added, expected) << listingDifference(before, machine.listing());
    }
}

TEST(UnattendedInstall, AKillDuringTheCopyIsMendedByTheNextInstallAndUndoneByTheUninstall) {
    Machine machine;
    const auto before = machine.listing();
    // Killed the moment the install directory appears: before or after its record, or
    // a little later during the copy, all of which the next start must mend.
    const ProcessRun killed = machine.runUntil(distSetup(), kInstallAnswers,
                                               [&] { return fs::exists(machine.installDir()); });
    EXPECT_EQ(killed.exitCode, -1) << killed.log;
    ASSERT_TRUE(fs::exists(machine.installDir()));

    // A file already in place is asked about once; All covers the rest.
    bool anyInPlace = false;
    const auto script = shippedScript();
    for (const TSetupFile* file : script->Files())
        anyInPlace = anyInPlace || fs::exists(machine.installDir() / file->Name());
    const std::string again = std::string("press Next\npress Next\npress Next\n") +
                              (anyInPlace ? "answer All\n" : "") +
                              "press Next\n"
                              "answer No Would you like to read the README.TXT file?\n"
                              "answer OK Setup completed successfully.\n";
    const ProcessRun second = machine.run(distSetup(), {}, again);
    ASSERT_EQ(second.exitCode, 0) << second.log;

    const ProcessRun uninstall =
        machine.run(machine.installDir() / "setup", {"UNINSTALL"}, kUninstallAnswers);
    EXPECT_EQ(uninstall.exitCode, 0) << uninstall.log;
    EXPECT_EQ(listingDifference(before, machine.listing()), "");
}

TEST(UnattendedInstall, InAFreshHomeTheUninstallTakesAwayTheSettingsFoldersTheInstallMade) {
    Machine machine;
    // No Windows directory, registry store or menu folders yet.
    fs::remove_all(machine.home() / ".local");
    fs::remove_all(machine.home() / ".config");
    const auto before = machine.listing();
    const ProcessRun install = machine.run(distSetup(), {}, kInstallAnswers);
    ASSERT_EQ(install.exitCode, 0) << install.log;
    ASSERT_TRUE(fs::exists(machine.home() / ".config/lumora-setup/registry"));
    const ProcessRun uninstall =
        machine.run(machine.installDir() / "setup", {"UNINSTALL"}, kUninstallAnswers);
    EXPECT_EQ(uninstall.exitCode, 0) << uninstall.log;
    EXPECT_EQ(listingDifference(before, machine.listing()), "");
}

TEST(UnattendedInstall, AnUninstallUnderAnotherDriveMapRemovesOnlyWhatTheInstallMade) {
    Machine machine;
    // The user's own folder of the name the install uses, with a file of the same name
    // as one of the installed ones.
    fs::create_directories(machine.installDir());
    writeFile(machine.installDir() / "ReadMe.txt", "my own notes");
    const auto before = machine.listing();
    // The install sees drive C: elsewhere; the menu's uninstall later does not.
    const fs::path elsewhere = machine.home() / "elsewhere";
    fs::create_directories(elsewhere);
    machine.extraEnvironment = {"LUMORA_DRIVES=C=" + elsewhere.string()};
    const ProcessRun install = machine.run(distSetup(), {}, kInstallAnswers);
    ASSERT_EQ(install.exitCode, 0) << install.log;
    ASSERT_TRUE(fs::exists(elsewhere / "Lumora" / "setup"));

    machine.extraEnvironment.clear();
    const ProcessRun uninstall =
        machine.run(elsewhere / "Lumora" / "setup", {"UNINSTALL"}, kUninstallAnswers);
    EXPECT_EQ(uninstall.exitCode, 0) << uninstall.log;
    std::error_code kept;
    fs::remove(elsewhere, kept);
    EXPECT_EQ(listingDifference(before, machine.listing()), "");
}

} // namespace
} // namespace setupkit::e2e
