#include "engine_test_support.h"

#include "platform/instance_lock.h"
#include "platform/profile_file.h"
#include "setup/engine/setup_error.h"
#include "setup/engine/setup_paths.h"

#include <gtest/gtest.h>

#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace setupkit::testing {
namespace {

namespace fs = std::filesystem;
using lumora::testing::readFile;
using lumora::testing::writeFile;

std::vector<std::string> selectedNames(const TSetupInfo& info) {
    std::vector<std::string> names;
    for (const TSetupDir* dir : info.SelectedDirs())
        names.push_back(dir->Name());
    return names;
}

TEST(SetupInfoStart, OrdinaryStartSelectsEverythingFromTheProgramDirectory) {
    SetupWorld world;
    FakeWizardScope wizard;
    ComponentOwner form;
    TSetupInfo* info = world.makeController(form);
    info->Loaded();

    EXPECT_FALSE(info->QuitRequested());
    EXPECT_FALSE(info->AttemptUnInstall());
    EXPECT_FALSE(info->MultiDisk());
    EXPECT_EQ(info->SourceDir(), "C:\\Lumora\\");
    EXPECT_EQ(selectedNames(*info),
              (std::vector<std::string>{"Install", "Windows", "Windows System"}));
    TSetupDir* install = info->SetupData().FindDir("Install");
    for (TSetupFile* file : info->SetupData().Files())
        EXPECT_TRUE(info->IsFileSelected(file, install)) << file->Name();
    EXPECT_EQ(fs::current_path(), world.host("c/Lumora"));
    EXPECT_TRUE(world.launcher.started.empty());
    EXPECT_EQ(wizard.created, 0);
}

TEST(SetupInfoStart, SecondControllerOnOneFormIsRefused) {
    SetupWorld world;
    ComponentOwner form;
    world.makeController(form);
    try {
        form.Create<TSetupInfo>(world.services);
        FAIL() << "a second controller was accepted";
    } catch (const ESetupError& error) {
        EXPECT_STREQ(error.what(), "Only allowed one TSetupInfo per application.");
    }
}

TEST(SetupInfoStart, FloppyStartWithOneDiskIsAnOrdinaryStart) {
    SetupWorld world;
    FakeWizardScope wizard;
    fs::create_directories(world.host("a"));
    writeFile(world.host("a/setup"), "the program");
    world.services.drives.map('A', world.host("a"));
    world.services.programFile = world.host("a/setup");
    ComponentOwner form;
    TSetupInfo* info = world.makeController(form);
    info->Loaded();
    EXPECT_FALSE(info->QuitRequested());
    EXPECT_TRUE(world.launcher.started.empty());
    EXPECT_EQ(info->SourceDir(), "A:\\");
    EXPECT_FALSE(world.notes().hasSection("MultiDisk Install"));
}

TEST(SetupInfoStart, FloppyStartWithTwoDisksRelaunchesFromAPrivateCopy) {
    SetupWorld world;
    FakeWizardScope wizard;
    fs::create_directories(world.host("a"));
    writeFile(world.host("a/setup"), "the program");
    writeFile(world.host("a/Lumora.exe"), "main program");
    world.services.drives.map('A', world.host("a"));
    world.services.programFile = world.host("a/setup");
    ComponentOwner form;
    TSetupInfo* info = world.makeController(form);
    info->SetupData().AddDisk("second");
    info->SetMultiDiskFiles({"LUMORA.EXE"});
    info->Loaded();

    EXPECT_TRUE(info->QuitRequested());
    EXPECT_EQ(info->QuitExitCode(), 0);
    ASSERT_EQ(world.launcher.started.size(), 1u);
    const auto started = world.services.drives.toHostPath(world.launcher.started[0]);
    ASSERT_TRUE(started);
    EXPECT_EQ(readFile(*started), "the program");
    EXPECT_EQ(started->parent_path().parent_path(), world.host("tmp"));
    EXPECT_TRUE(fs::exists(started->parent_path() / "Lumora.exe"));
    EXPECT_EQ(world.notes().readString("MultiDisk Install", "Source Dir"), "A:\\");
    EXPECT_EQ(wizard.created, 1);
    EXPECT_EQ(SetupPagesForm(), nullptr) << "the relaunch frees its dialog";
}

TEST(SetupInfoStart, MultiDiskNoteIsConsumedByTheCopy) {
    SetupWorld world;
    FakeWizardScope wizard;
    fs::create_directories(world.host("a"));
    world.services.drives.map('A', world.host("a"));
    world.notes().writeString("MultiDisk Install", "Source Dir", "A:");
    ComponentOwner form;
    TSetupInfo* info = world.makeController(form);
    info->Loaded();
    EXPECT_TRUE(info->MultiDisk());
    EXPECT_EQ(info->SourceDir(), "A:\\");
    EXPECT_EQ(ResolveDir(info, "Source Dir"), "A:\\");
    EXPECT_FALSE(world.notes().hasSection("MultiDisk Install"));
}

class UninstallArgument : public ::testing::TestWithParam<const char*> {};

TEST_P(UninstallArgument, RelaunchesFromAPrivateTemporaryCopy) {
    SetupWorld world;
    FakeWizardScope wizard;
    writeFile(world.host("c/Lumora/ReadMe.txt"), "read me");
    writeFile(world.host("c/Lumora/help.hlp"), "help");
    world.services.arguments = {GetParam()};
    ComponentOwner form;
    TSetupInfo* info = world.makeController(form);
    // The program's own name in the list is not copied twice nor numbered.
    info->SetupData().UnInstallFiles() = {"README.TXT", "SETUP", "HELP.HLP"};
    info->Loaded();

    EXPECT_TRUE(info->QuitRequested());
    ASSERT_EQ(world.launcher.started.size(), 1u);
    const auto copy = world.services.drives.toHostPath(world.launcher.started[0]);
    ASSERT_TRUE(copy);
    const fs::path directory = copy->parent_path();
    EXPECT_EQ(directory.parent_path(), world.host("tmp"));
    EXPECT_EQ(directory.filename().string().rfind("lumora-setup-", 0), 0u);
    struct stat status {};
    ASSERT_EQ(stat(directory.c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 0777, 0700u);
    EXPECT_EQ(readFile(*copy), "the program");
    EXPECT_EQ(readFile(directory / "ReadMe.txt"), "read me");

    const auto notes = world.notes();
    EXPECT_EQ(notes.readString("UnInstall", "Log File"), "C:\\Lumora\\INSTALL.LOG");
    EXPECT_EQ(notes.keys("UnInstall"), (std::vector<std::string>{"Program", "Log File", "0", "1"}));
    EXPECT_EQ(notes.readString("UnInstall", "0"), "README.TXT");
    EXPECT_EQ(notes.readString("UnInstall", "1"), "HELP.HLP");
    EXPECT_EQ(world.interaction.messages().size(), 0u);
}

INSTANTIATE_TEST_SUITE_P(AnyCase, UninstallArgument,
                         ::testing::Values("UNINSTALL", "uninstall", "UnInstall"));

TEST(SetupInfoStart, FailedUninstallCopyWarnsAndLeavesNothingBehind) {
    SetupWorld world;
    FakeWizardScope wizard;
    world.services.arguments = {"UNINSTALL"};
    world.interaction.answer("Unable to copy temporary uninstall files.  UnInstall aborted.", mrOk);
    ComponentOwner form;
    TSetupInfo* info = world.makeController(form);
    info->SetupData().UnInstallFiles() = {"MISSING.TXT"};
    info->Loaded();
    EXPECT_TRUE(info->QuitRequested());
    EXPECT_TRUE(world.launcher.started.empty());
    EXPECT_FALSE(world.notes().hasSection("UnInstall"));
    EXPECT_TRUE(fs::is_empty(world.host("tmp")));
}

TEST(SetupInfoStart, UninstallNoteReadsFilesUpToTheFirstMissingNumber) {
    SetupWorld world;
    FakeWizardScope wizard;
    world.writeUnInstallNote("C:\\Lumora\\INSTALL.LOG");
    auto notes = world.notes();
    notes.writeString("UnInstall", "0", "readme.txt");
    notes.writeString("UnInstall", "1", "Help.hlp");
    notes.writeString("UnInstall", "3", "lost.txt");
    lumora::platform::ProfileFile log(world.host("c/Lumora/INSTALL.LOG"));
    log.writeString("Files", "C:\\Lumora\\Lumora.exe", "");
    log.writeString("Directories", "Install", "C:\\Elsewhere\\");

    ComponentOwner form;
    TSetupInfo* info = world.makeController(form);
    info->Loaded();
    EXPECT_TRUE(info->AttemptUnInstall());
    EXPECT_EQ(info->SetupData().UnInstallFiles(),
              (std::vector<std::string>{"README.TXT", "HELP.HLP"}));
    EXPECT_EQ(info->LogFile(), "C:\\Lumora\\INSTALL.LOG");
    EXPECT_EQ(info->InstalledFiles(), (std::vector<std::string>{"C:\\Lumora\\Lumora.exe"}));
    EXPECT_EQ(info->SetupData().FindDir("Install")->Dir(), "C:\\Elsewhere\\");
    EXPECT_FALSE(world.notes().hasSection("UnInstall"));
    // Kept until the removal is complete, for an uninstall that is stopped half way.
    EXPECT_TRUE(fs::exists(world.host("c/Lumora/INSTALL.LOG")));
}

TEST(SetupInfoStart, AnUninstallNoteLeftForAnotherCopyNeverTurnsAnInstallIntoAnUninstall) {
    const struct {
        const char* left;
        const char* program; // what the note names as its working copy
    } cases[] = {
        {"by a copy that never started", "T:\\lumora-setup-gone\\setup"},
        {"by an older setup", nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.left);
        SetupWorld world;
        FakeWizardScope wizard;
        auto notes = world.notes();
        if (c.program)
            notes.writeString("UnInstall", "Program", c.program);
        notes.writeString("UnInstall", "Log File", "C:\\Lumora\\INSTALL.LOG");
        lumora::platform::ProfileFile log(world.host("c/Lumora/INSTALL.LOG"));
        log.writeString("Files", "C:\\Lumora\\Lumora.exe", "");
        ComponentOwner form;
        TSetupInfo* info = world.makeController(form);
        info->Loaded();
        EXPECT_FALSE(info->AttemptUnInstall());
        EXPECT_FALSE(world.notes().hasSection("UnInstall"));
        EXPECT_TRUE(fs::exists(world.host("c/Lumora/INSTALL.LOG")));
    }
}

TEST(SetupInfoStart, SystemDirectoryInsideWindowsStaysRelative) {
    SetupWorld world;
    FakeWizardScope wizard;
    ComponentOwner form;
    TSetupInfo* info = world.makeController(form);
    info->Loaded();
    const TSetupDir* system = info->SetupData().FindDir("Windows System");
    EXPECT_EQ(info->SetupData().FindDir("Windows")->Dir(), "C:\\WINDOWS\\");
    EXPECT_EQ(system->ParentDir(), info->SetupData().FindDir("Windows"));
    EXPECT_EQ(system->FullPath(), "C:\\WINDOWS\\SYSTEM\\");
}

TEST(SetupInfoStart, SystemDirectoryOutsideWindowsIsMadeAbsolute) {
    SetupWorld world;
    FakeWizardScope wizard;
    world.services.systemDirectory = "C:\\SYS32";
    ComponentOwner form;
    TSetupInfo* info = world.makeController(form);
    info->Loaded();
    const TSetupDir* system = info->SetupData().FindDir("Windows System");
    EXPECT_EQ(system->ParentDir(), nullptr);
    EXPECT_EQ(system->Dir(), "C:\\SYS32\\");
    EXPECT_EQ(ResolveDir(info, "Windows System"), "C:\\SYS32\\");
}

TEST(SetupInfoStart, SecondInstanceIsRefused) {
    SetupWorld world;
    int ready[2];
    ASSERT_EQ(pipe(ready), 0);
    const pid_t holder = fork();
    ASSERT_GE(holder, 0);
    if (holder == 0) {
        // The other instance: holds the program's lock until it is killed.
        lumora::platform::InstanceLock lock(world.services.programFile);
        const char state = lock.state() == lumora::platform::InstanceLock::State::Held ? 'y' : 'n';
        if (write(ready[1], &state, 1) != 1)
            _exit(1);
        pause();
        _exit(0);
    }
    char state = 0;
    ASSERT_EQ(read(ready[0], &state, 1), 1);
    ASSERT_EQ(state, 'y');

    {
        ComponentOwner form;
        TSetupInfo* info = world.makeController(form);
        int fired = 0;
        info->OnMultiInstance = [&](TSetupComponent*) { ++fired; };
        try {
            info->Loaded();
            ADD_FAILURE() << "a second instance was allowed";
        } catch (const ESetupError& error) {
            EXPECT_STREQ(error.what(), "Only one instance of the setup program allowed.");
        }
        EXPECT_EQ(fired, 1);
    }
    {
        ComponentOwner form;
        TSetupInfo* info = world.makeController(form);
        info->SetMultiException(false);
        info->Loaded();
        EXPECT_TRUE(info->QuitRequested());
        EXPECT_EQ(info->QuitExitCode(), 1);
        EXPECT_TRUE(info->SelectedDirs().empty());
    }
    kill(holder, SIGKILL);
    waitpid(holder, nullptr, 0);
    close(ready[0]);
    close(ready[1]);

    // With the other instance gone, the start goes through.
    ComponentOwner form;
    TSetupInfo* info = world.makeController(form);
    info->Loaded();
    EXPECT_FALSE(info->QuitRequested());
}

TEST(SetupInfoSelection, LoopingParentChainsEnd) {
    SetupWorld world;
    ComponentOwner form;
    TSetupInfo* info = world.makeController(form);
    TSetupData& script = info->SetupData();
    TSetupDir* a = script.AddDir("A", "A\\", nullptr);
    TSetupDir* b = script.AddDir("B", "B\\", a);
    a->SetParentDir(b);
    info->SelectDir(a, false);
    EXPECT_TRUE(info->IsDirSelected(a));
    EXPECT_TRUE(info->IsDirSelected(b));
    info->DeselectDir(b);
    EXPECT_FALSE(info->IsDirSelected(a));
    EXPECT_FALSE(info->IsDirSelected(b));
}

TEST(SetupInfoSelection, DeselectingKeepsTheFilesAndSkipsUnselectedBranches) {
    SetupWorld world;
    ComponentOwner form;
    TSetupInfo* info = world.makeController(form);
    TSetupData& script = info->SetupData();
    TSetupDir* install = script.FindDir("Install");
    TSetupDir* child = script.AddDir("Child", "Child\\", install);
    TSetupDir* grandchild = script.AddDir("Grand", "Grand\\", child);
    info->SelectDir(install, true);
    EXPECT_EQ(selectedNames(*info), (std::vector<std::string>{"Install", "Child", "Grand"}));
    TSetupFile* file = script.Files()[0];
    EXPECT_TRUE(info->IsFileSelected(file, install));
    EXPECT_FALSE(info->SelectFile(file, install));
    EXPECT_TRUE(info->UnselectFile(file, install));
    EXPECT_FALSE(info->IsFileSelected(file, install));
    EXPECT_FALSE(info->IsFileSelected(nullptr, install));

    info->DeselectDir(child);
    info->SelectDir(grandchild, false);
    info->DeselectDir(install);
    // The child was not selected, so the walk does not reach the grandchild.
    EXPECT_EQ(selectedNames(*info), (std::vector<std::string>{"Grand"}));
    EXPECT_TRUE(info->IsFileSelected(script.Files()[1], install)) << "files stay selected";
}

TEST(SetupInfoRecords, EntriesEqualIgnoringCaseAreKeptOnce) {
    SetupWorld world;
    ComponentOwner form;
    TSetupInfo* info = world.makeController(form);
    EXPECT_TRUE(info->AddGroupEntry("Tools", "Main"));
    EXPECT_FALSE(info->AddGroupEntry("TOOLS", "main"));
    EXPECT_TRUE(info->AddGroupEntry("Main", "Tools")) << "item and group are not interchangeable";
    EXPECT_TRUE(info->AddCreatedDir("C:\\B\\"));
    EXPECT_TRUE(info->AddCreatedDir("c:\\a\\"));
    EXPECT_FALSE(info->AddCreatedDir("C:\\A\\"));
    EXPECT_TRUE(info->AddInstalledFile("C:\\A\\x"));
    EXPECT_FALSE(info->AddInstalledFile("c:\\a\\X"));
    EXPECT_EQ(info->GroupNames(), (std::vector<std::string>{"Main", "Tools"}));
    EXPECT_EQ(info->GroupItems(), (std::vector<std::string>{"Tools", "Main"}));
    EXPECT_EQ(info->CreatedDirs(), (std::vector<std::string>{"c:\\a\\", "C:\\B\\"}));
}

TEST(SetupInfoLog, ProgramGroupValuesWithAndWithoutSeparator) {
    SetupWorld world;
    lumora::platform::ProfileFile log(world.host("c/Lumora/OLD.LOG"));
    log.writeString("Program Groups", "0", "Main:~:Tools");
    log.writeString("Program Groups", "1", "Main:~:");
    log.writeString("Program Groups", "2", "Main");
    log.writeString("Program Groups", "3", ":~:Orphan");
    ComponentOwner form;
    TSetupInfo* info = world.makeController(form);
    info->ReadInstallLog("C:\\Lumora\\OLD.LOG", true);
    EXPECT_EQ(info->GroupNames(), (std::vector<std::string>{"Main", "Main", "Main"}));
    EXPECT_EQ(info->GroupItems(), (std::vector<std::string>{"Tools", "", "Main"}));
}

TEST(SetupInfoLog, WrittenInItsSectionsKeysAndOrder) {
    SetupWorld world;
    FakeWizardScope wizard;
    ComponentOwner form;
    TSetupInfo* info = world.makeController(form);
    info->Loaded();
    info->AddCreatedDir("C:\\Lumora\\");
    info->AddInstalledFile("C:\\Lumora\\setup");
    info->AddInstalledFile("C:\\Lumora\\Lumora.exe");
    info->AddGroupEntry("", "Lumora");
    info->AddGroupEntry("Lumora", "Lumora");
    info->SetInstalledBDEType(0x83);
    info->WriteInstallLog();
    EXPECT_EQ(readFile(world.host("c/Lumora/INSTALL.LOG")), "[Directories]\r\n"
                                                            "Windows System=SYSTEM\\\r\n"
                                                            "Windows=C:\\WINDOWS\\\r\n"
                                                            "Install=C:\\Lumora\\\r\n"
                                                            "\r\n"
                                                            "[Created Dirs]\r\n"
                                                            "C:\\Lumora\\=\r\n"
                                                            "\r\n"
                                                            "[Files]\r\n"
                                                            "C:\\Lumora\\Lumora.exe=\r\n"
                                                            "C:\\Lumora\\setup=\r\n"
                                                            "\r\n"
                                                            "[Program Groups]\r\n"
                                                            "0=Lumora:~:\r\n"
                                                            "1=Lumora:~:Lumora\r\n"
                                                            "\r\n"
                                                            "[BDE Files]\r\n"
                                                            "BDE Type=3\r\n"
                                                            "\r\n"
                                                            "[Language]\r\n"
                                                            "Language=English\r\n"
                                                            "\r\n"
                                                            "[Drives]\r\n"
                                                            "C:=" +
                                                                world.host("c").string() + "\r\n");
}

// Paths are read back whole whatever they hold, from logs of this version and of
// earlier ones, and where the drives the log records differ from this run's, each
// path is named as this run sees the same folder.
TEST(SetupInfoLog, RecordedPathsComeBackWholeAndUnderThisRunsDrives) {
    const struct {
        const char* name;
        std::string log;
        std::vector<std::string> dirs;
        std::vector<std::string> files;
    } cases[] = {
        {"'=' in a path, written by an earlier version",
         "[Created Dirs]\r\nC:\\My=Apps\\=\r\n[Files]\r\nC:\\My=Apps\\a=b.txt=\r\n"
         "C:\\Lumora\\x==\r\n",
         {"C:\\My=Apps\\"},
         {"C:\\Lumora\\x=", "C:\\My=Apps\\a=b.txt"}},
        {"drive C: was elsewhere",
         "[Created Dirs]\r\nC:\\Lumora\\=\r\n[Files]\r\nC:\\Lumora\\setup=\r\n"
         "[Drives]\r\nC:=@/elsewhere\r\n",
         {"T:\\elsewhere\\Lumora\\"},
         {"T:\\elsewhere\\Lumora\\setup"}},
        {"drive C: where it is now",
         "[Files]\r\nC:\\Lumora\\setup=\r\n[Drives]\r\nC:=@/../c\r\n",
         {},
         {"C:\\Lumora\\setup"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        SetupWorld world;
        std::string log = c.log;
        if (const size_t at = log.find('@'); at != std::string::npos)
            log.replace(at, 1, world.host("tmp").string());
        writeFile(world.host("c/Lumora/OLD.LOG"), log);
        ComponentOwner form;
        TSetupInfo* info = world.makeController(form);
        info->ReadInstallLog("C:\\Lumora\\OLD.LOG", true);
        EXPECT_EQ(info->CreatedDirs(), c.dirs);
        EXPECT_EQ(info->InstalledFiles(), c.files);
    }
}

TEST(SetupInfoLog, WritingTwiceIntoOneDirectoryKeepsBothRunsOnce) {
    SetupWorld world;
    FakeWizardScope wizard;
    {
        ComponentOwner form;
        TSetupInfo* info = world.makeController(form);
        info->Loaded();
        info->AddCreatedDir("C:\\Lumora\\Data\\");
        info->AddInstalledFile("C:\\Lumora\\one.txt");
        info->AddInstalledFile("C:\\Lumora\\both.txt");
        info->AddGroupEntry("One", "Lumora");
        info->Shutdown();
    }
    ComponentOwner form;
    TSetupInfo* info = world.makeController(form);
    info->Loaded();
    info->AddInstalledFile("C:\\Lumora\\BOTH.TXT");
    info->AddInstalledFile("C:\\Lumora\\two.txt");
    info->AddGroupEntry("one", "LUMORA");
    info->AddGroupEntry("Two", "Lumora");
    info->Shutdown();
    EXPECT_EQ(info->LogFile(), "C:\\Lumora\\INSTALL.LOG");

    lumora::platform::ProfileFile log(world.host("c/Lumora/INSTALL.LOG"));
    EXPECT_EQ(log.keys("Created Dirs"), (std::vector<std::string>{"C:\\Lumora\\Data\\"}));
    // The spelling recorded first stays.
    EXPECT_EQ(log.keys("Files"),
              (std::vector<std::string>{"C:\\Lumora\\BOTH.TXT", "C:\\Lumora\\one.txt",
                                        "C:\\Lumora\\two.txt"}));
    EXPECT_EQ(log.keys("Program Groups"), (std::vector<std::string>{"0", "1"}));
    EXPECT_EQ(log.readString("Program Groups", "0"), "LUMORA:~:one");
    EXPECT_EQ(log.readString("Program Groups", "1"), "Lumora:~:Two");
}

TEST(SetupInfoLog, TheTemporaryOfALogWriteKilledBeforeItsRenameGoesWithTheNextLog) {
    SetupWorld world;
    FakeWizardScope wizard;
    writeFile(world.host("c/Lumora/.INSTALL.LOG.Ab12Cd"), "[Files]\r\n");
    ComponentOwner form;
    TSetupInfo* info = world.makeController(form);
    info->Loaded();
    info->AddInstalledFile("C:\\Lumora\\setup");
    info->WriteInstallLog();
    EXPECT_FALSE(fs::exists(world.host("c/Lumora/.INSTALL.LOG.Ab12Cd")));
    EXPECT_TRUE(fs::exists(world.host("c/Lumora/INSTALL.LOG")));
}

TEST(SetupInfoLog, MissingLogDirectoryIsQuietOnlyWhenNothingWasInstalled) {
    SetupWorld world;
    FakeWizardScope wizard;
    ComponentOwner form;
    TSetupInfo* info = world.makeController(form);
    info->Loaded();
    info->SetupData().FindDir("Install")->SetDir("C:\\NotThere\\");
    EXPECT_NO_THROW(info->WriteInstallLog());
    info->AddInstalledFile("C:\\NotThere\\a.txt");
    try {
        info->WriteInstallLog();
        FAIL() << "no error for a vanished log directory";
    } catch (const ESetupError& error) {
        EXPECT_STREQ(error.what(), "NO LOG DIR");
    }
    EXPECT_FALSE(fs::exists(world.host("c/NotThere")));
}

TEST(SetupInfoLog, UninstallCopyCleansUpItsPrivateDirectory) {
    SetupWorld world;
    const fs::path copyDir = world.host("tmp/lumora-setup-x1");
    fs::create_directories(copyDir);
    writeFile(copyDir / "setup", "copy");
    writeFile(copyDir / "README.TXT", "read me");
    world.services.programFile = copyDir / "setup";
    world.writeUnInstallNote("C:\\Lumora\\INSTALL.LOG");
    world.notes().writeString("UnInstall", "0", "README.TXT");
    {
        FakeWizardScope wizard;
        ComponentOwner form;
        TSetupInfo* info = world.makeController(form);
        info->Loaded();
        ASSERT_TRUE(info->AttemptUnInstall());
        info->SetUnInstallDone(true);
    }
    EXPECT_FALSE(fs::exists(copyDir));
    EXPECT_FALSE(fs::exists(world.host("c/Lumora/INSTALL.LOG"))) << "no log after an uninstall";
}

TEST(SetupInfoProperties, MultiDiskFilesKeepsOnlyScriptFiles) {
    SetupWorld world;
    ComponentOwner form;
    TSetupInfo* info = world.makeController(form);
    world.interaction.answer("Unable to locate file OTHER.DLL in the installed files.", mrOk);
    info->SetMultiDiskFiles({"readme.txt", "", "OTHER.DLL", "readme.txt"});
    EXPECT_EQ(info->MultiDiskFiles(), (std::vector<std::string>{"readme.txt"}));
    EXPECT_EQ(world.interaction.pendingAnswers(), 0u);
}

struct ShortenCase {
    const char* path;
    int widthInCharacters;
    const char* expected;
};

class ShortenPathCases : public ::testing::TestWithParam<ShortenCase> {};

TEST_P(ShortenPathCases, KeepsDriveFirstDirectoryAndLastComponent) {
    const ShortenCase& c = GetParam();
    const TextWidth width = [](std::string_view text) { return static_cast<int>(text.size()) * 7; };
    EXPECT_EQ(ShortenPath(c.path, c.widthInCharacters * 7, width), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Widths, ShortenPathCases,
    ::testing::Values(
        ShortenCase{"C:\\One\\Two\\Three\\file.txt", 25, "C:\\One\\Two\\Three\\file.txt"},
        ShortenCase{"C:\\One\\Two2222222\\Three\\file.txt", 26, "C:\\One\\...\\Three\\file.txt\\"},
        ShortenCase{"C:\\One\\Two\\Three\\file.txt", 1, "C:\\One\\...\\file.txt\\"},
        ShortenCase{"C:\\One\\file.txt", 3, "C:\\One\\file.txt\\"},
        ShortenCase{"C:\\file.txt", 3, "C:\\file.txt\\"}));

TEST(SetupPaths, BackslashesDrivesAndSplitting) {
    EXPECT_EQ(AddBackslash(""), "");
    EXPECT_EQ(AddBackslash("C:\\A"), "C:\\A\\");
    EXPECT_EQ(AddBackslash("C:\\A\\"), "C:\\A\\");
    EXPECT_EQ(StripBackslash("C:\\A\\"), "C:\\A");
    EXPECT_EQ(FixDriveRoot("C:\\"), "C:\\");
    EXPECT_EQ(FixDriveRoot("C:"), "C:\\");
    EXPECT_EQ(FixDriveRoot("C:\\A\\"), "C:\\A");
    std::string text = "Main:~:Tools:~:More";
    EXPECT_EQ(SplitAt(text, ":~:"), "Main");
    EXPECT_EQ(text, "Tools:~:More");
    std::string plain = "Main";
    EXPECT_EQ(SplitAt(plain, ":~:"), "Main");
    EXPECT_EQ(plain, "Main");
    EXPECT_EQ(ExtractFileName("C:\\Lumora\\setup"), "setup");
    EXPECT_EQ(ExtractFileName("A:SETUP.EXE"), "SETUP.EXE");
    EXPECT_EQ(ExtractFileName("setup"), "setup");
}

} // namespace
} // namespace setupkit::testing
