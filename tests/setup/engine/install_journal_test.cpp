#include "engine_test_support.h"

#include "setup/engine/install_journal.h"

#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

namespace setupkit::testing {
namespace {

namespace fs = std::filesystem;
using lumora::platform::ProfileFile;
using lumora::testing::readFile;
using lumora::testing::writeFile;
using Strings = std::vector<std::string>;

fs::path journalOf(const SetupWorld& world) {
    return world.host("c/Lumora/INSTALL.LOG.journal");
}

// Where records wait while the log directory is missing.
fs::path pendingOf(const SetupWorld& world) {
    return world.host("c/WINDOWS/TSETUP.JNL");
}

TEST(InstallJournal, RecordsAreJournalledAsTheyHappenAndFoldedAtShutdown) {
    SetupWorld world;
    FakeWizardScope wizard;
    ComponentOwner form;
    TSetupInfo* info = world.makeController(form);
    info->Loaded();
    info->AddCreatedDir("C:\\Lumora\\Data\\");
    info->AddInstalledFile("C:\\Lumora\\Data\\a.txt");
    info->AddInstalledFile("C:\\LUMORA\\DATA\\A.TXT");
    info->AddGroupEntry("", "Lumora");
    info->SetInstalledBDEType(2);
    EXPECT_FALSE(fs::exists(world.host("c/Lumora/INSTALL.LOG")));
    const JournalContents journal = readInstallJournal(journalOf(world));
    EXPECT_EQ(journal.createdDirs, (Strings{"C:\\Lumora\\Data\\"}));
    EXPECT_EQ(journal.files, (Strings{"C:\\Lumora\\Data\\a.txt"})) << "each record once";
    ASSERT_EQ(journal.groups.size(), 1u);
    EXPECT_EQ(journal.groups[0], (std::pair<std::string, std::string>{"Lumora", ""}));
    EXPECT_EQ(journal.bdeType, 2);

    info->Shutdown();
    EXPECT_FALSE(fs::exists(journalOf(world)));
    const ProfileFile log(world.host("c/Lumora/INSTALL.LOG"));
    EXPECT_EQ(log.keys("Files"), (Strings{"C:\\Lumora\\Data\\a.txt"}));
    EXPECT_EQ(log.readString("BDE Files", "BDE Type"), "2");
}

TEST(InstallJournal, RecordsWaitForTheLogDirectory) {
    SetupWorld world;
    FakeWizardScope wizard;
    ComponentOwner form;
    TSetupInfo* info = world.makeController(form);
    info->Loaded();
    info->SetupData().FindDir("Install")->SetDir("C:\\Apps\\Lumora\\");
    info->AddCreatedDir("C:\\Apps\\");
    EXPECT_FALSE(fs::exists(world.host("c/Apps")));
    fs::create_directories(world.host("c/Apps/Lumora"));
    info->AddCreatedDir("C:\\Apps\\Lumora\\");
    const JournalContents journal =
        readInstallJournal(world.host("c/Apps/Lumora/INSTALL.LOG.journal"));
    EXPECT_EQ(journal.createdDirs, (Strings{"C:\\Apps\\", "C:\\Apps\\Lumora\\"}));
    // The directories as they stand, for a log that has to be made from the journal.
    EXPECT_NE(std::find(journal.directories.begin(), journal.directories.end(),
                        std::pair<std::string, std::string>{"Install", "C:\\Apps\\Lumora\\"}),
              journal.directories.end());
}

TEST(InstallJournal, DamagedLinesWithACarriageReturnDoNotReachTheLog) {
    const JournalContents contents =
        parseInstallJournal("F\tC:\\A\r[Files]\nD\tC:\\B\\\r\nG\tMain:~:x\r\nF\tC:\\C\n");
    EXPECT_EQ(contents.files, Strings{"C:\\C"});
    EXPECT_TRUE(contents.createdDirs.empty());
    EXPECT_TRUE(contents.groups.empty());
}

TEST(InstallJournal, GroupEntriesReadBackFromTheLogAsTheyWere) {
    // An item named as its group is recorded without the separator when a group name
    // ending in ":~" would move the split.
    const std::pair<std::string, std::string> entries[] = {
        {"Main", "Tools"}, {"Main", "Main"}, {"Main:~", "Main:~"}, {"A::~", "A::~"}};
    for (const auto& [group, item] : entries) {
        SetupWorld world;
        const fs::path log = world.host("c/Lumora/INSTALL.LOG");
        writeFile(journalOf(world), "G\t" + group + (group == item ? "" : ":~:" + item) + "\n");
        foldInstallJournal(journalOf(world), log, [](const std::string&) { return false; });
        const std::string value = ProfileFile(log).readString("Program Groups", "0");
        const JournalContents reread = parseInstallJournal("G\t" + value + "\n");
        EXPECT_EQ(reread.groups, (std::vector<std::pair<std::string, std::string>>{{group, item}}))
            << value;
    }
}

TEST(InstallJournal, NextStartFoldsALeftJournalIntoTheLog) {
    SetupWorld world;
    FakeWizardScope wizard;
    ProfileFile(world.host("c/Lumora/INSTALL.LOG")).update([](auto& log) {
        log.writeSection("Directories", {{"Install", "C:\\Lumora\\"}});
        log.writeSection("Files", {{"C:\\Lumora\\B.txt", ""}});
        log.writeSection("Program Groups", {{"0", "Lumora:~:One"}});
        log.writeString("Language", "Language", "English");
    });
    // Two complete lines, a repeat in another case, and a line cut short by the kill.
    writeFile(journalOf(world),
              "D\tC:\\Lumora\\Data\\\nF\tC:\\Lumora\\a.txt\n"
              "F\tC:\\LUMORA\\b.TXT\nG\tLUMORA:~:one\nG\tLumora:~:Two\n"
              "M\tC:\\.config\\lumora-setup\\\nR\tC:\\.config\\lumora-setup\\registry\n"
              "F\tC:\\Lumora\\cut");
    ComponentOwner form;
    TSetupInfo* info = world.makeController(form);
    info->Loaded();
    EXPECT_FALSE(fs::exists(journalOf(world)));
    EXPECT_TRUE(info->InstalledFiles().empty()) << "the old records stay the log's";
    EXPECT_EQ(readFile(world.host("c/Lumora/INSTALL.LOG")),
              "[Directories]\r\n"
              "Install=C:\\Lumora\\\r\n"
              "\r\n"
              "[Created Dirs]\r\n"
              "C:\\Lumora\\Data\\=\r\n"
              "\r\n"
              "[Files]\r\n"
              "C:\\Lumora\\a.txt=\r\n"
              "C:\\Lumora\\B.txt=\r\n"
              "\r\n"
              "[Program Groups]\r\n"
              "0=Lumora:~:One\r\n"
              "1=Lumora:~:Two\r\n"
              "\r\n"
              "[Language]\r\n"
              "Language=English\r\n"
              "\r\n"
              "[Made Folders]\r\n"
              "C:\\.config\\lumora-setup\\=\r\n"
              "\r\n"
              "[Made Registry Stores]\r\n"
              "C:\\.config\\lumora-setup\\registry=\r\n");
}

TEST(InstallJournal, UninstallFromTheInstallDirectoryFindsAKilledInstall) {
    SetupWorld world;
    FakeWizardScope wizard;
    writeFile(journalOf(world), "P\tInstall\tC:\\Lumora\\\nF\tC:\\Lumora\\a.txt\n");
    world.services.arguments = {"UNINSTALL"};
    ComponentOwner form;
    TSetupInfo* info = world.makeController(form);
    info->Loaded();
    ASSERT_EQ(world.launcher.started.size(), 1u);
    const ProfileFile log(world.host("c/Lumora/INSTALL.LOG"));
    EXPECT_EQ(log.keys("Files"), (Strings{"C:\\Lumora\\a.txt"}));
    EXPECT_EQ(log.readString("Directories", "Install"), "C:\\Lumora\\");
    EXPECT_FALSE(fs::exists(journalOf(world)));
}

TEST(InstallJournal, DirectoriesAreAnnouncedBesideTheNotesUntilTheLogDirectoryExists) {
    SetupWorld world;
    FakeWizardScope wizard;
    ComponentOwner form;
    TSetupInfo* info = world.makeController(form);
    info->Loaded();
    info->SetupData().FindDir("Install")->SetDir("C:\\Apps\\Lumora\\");
    info->IntendToCreateDir("C:\\Apps\\");
    info->IntendToCreateDir("C:\\Apps\\Lumora\\");
    // A kill now, between the announcement and the directory, still leaves a record.
    EXPECT_EQ(readFile(pendingOf(world)), "L\tC:\\Apps\\Lumora\\INSTALL.LOG\n"
                                          "d\tC:\\Apps\\\n"
                                          "d\tC:\\Apps\\Lumora\\\n");

    fs::create_directories(world.host("c/Apps/Lumora"));
    info->AddCreatedDir("C:\\Apps\\");
    EXPECT_FALSE(fs::exists(pendingOf(world))) << "the journal holds the records now";
    const JournalContents journal =
        readInstallJournal(world.host("c/Apps/Lumora/INSTALL.LOG.journal"));
    EXPECT_EQ(journal.intendedDirs, (Strings{"C:\\Apps\\", "C:\\Apps\\Lumora\\"}));

    info->Shutdown();
    const ProfileFile log(world.host("c/Apps/Lumora/INSTALL.LOG"));
    EXPECT_EQ(log.keys("Created Dirs"), (Strings{"C:\\Apps\\", "C:\\Apps\\Lumora\\"}))
        << "an announced directory that exists is recorded";
}

TEST(InstallJournal, NextStartSettlesTheAnnouncementsOfAKilledRun) {
    SetupWorld world;
    FakeWizardScope wizard;
    // Killed after making C:\Apps\Lumora but before its journal was written; the
    // directory below it was never made.
    fs::create_directories(world.host("c/Apps/Lumora"));
    writeFile(pendingOf(world), "L\tC:\\Apps\\Lumora\\INSTALL.LOG\nd\tC:\\Apps\\\n"
                                "d\tC:\\Apps\\Lumora\\\nd\tC:\\Apps\\Lumora\\Data\\\n");
    // Files announced in an earlier journal: one arrived, one was cut off during its copy
    // (its part is taken away), and one has a link where its part would be.
    writeFile(journalOf(world), "f\tC:\\Lumora\\arrived.txt\nf\tC:\\Lumora\\cut.txt\n"
                                "f\tC:\\Lumora\\linked.txt\n");
    writeFile(world.host("c/Lumora/arrived.txt"), "whole");
    writeFile(world.host("c/Lumora/.cut.txt.part"), "half");
    writeFile(world.host("elsewhere.txt"), "not ours");
    fs::create_symlink(world.host("elsewhere.txt"), world.host("c/Lumora/.linked.txt.part"));

    ComponentOwner form;
    TSetupInfo* info = world.makeController(form);
    info->Loaded();
    EXPECT_EQ(ProfileFile(world.host("c/Lumora/INSTALL.LOG")).keys("Files"),
              (Strings{"C:\\Lumora\\arrived.txt"}));
    EXPECT_FALSE(fs::exists(world.host("c/Lumora/.cut.txt.part")));
    EXPECT_TRUE(fs::is_symlink(world.host("c/Lumora/.linked.txt.part")));
    EXPECT_EQ(readFile(world.host("elsewhere.txt")), "not ours");

    // The pending records went to the journal beside their own log, which folds them
    // when a run (here the uninstall from there) starts in that place.
    EXPECT_FALSE(fs::exists(pendingOf(world)));
    info->FoldInstallJournal("C:\\Apps\\Lumora\\INSTALL.LOG");
    EXPECT_EQ(ProfileFile(world.host("c/Apps/Lumora/INSTALL.LOG")).keys("Created Dirs"),
              (Strings{"C:\\Apps\\", "C:\\Apps\\Lumora\\"}));
}

TEST(InstallJournal, ANoteWhoseDirectoryWasNeverMadeIsCarriedOnOrDropped) {
    const auto killedBeforeTheInstallDirectory = [](const SetupWorld& world) {
        fs::create_directories(world.host("c/Apps"));
        writeFile(pendingOf(world), "L\tC:\\Apps\\Lumora\\INSTALL.LOG\nd\tC:\\Apps\\\n"
                                    "d\tC:\\Apps\\Lumora\\\n");
    };
    {
        SCOPED_TRACE("the next run makes the directory: it records the carried one too");
        SetupWorld world;
        FakeWizardScope wizard;
        killedBeforeTheInstallDirectory(world);
        ComponentOwner form;
        TSetupInfo* info = world.makeController(form);
        info->Loaded();
        EXPECT_TRUE(fs::exists(pendingOf(world)));
        info->SetupData().FindDir("Install")->SetDir("C:\\Apps\\Lumora\\");
        fs::create_directories(world.host("c/Apps/Lumora"));
        info->AddCreatedDir("C:\\Apps\\Lumora\\");
        EXPECT_FALSE(fs::exists(pendingOf(world)));
        info->Shutdown();
        EXPECT_EQ(ProfileFile(world.host("c/Apps/Lumora/INSTALL.LOG")).keys("Created Dirs"),
                  (Strings{"C:\\Apps\\", "C:\\Apps\\Lumora\\"}));
    }
    {
        SCOPED_TRACE("the next run is cancelled: the records wait, as the directory made stays");
        SetupWorld world;
        FakeWizardScope wizard;
        killedBeforeTheInstallDirectory(world);
        ComponentOwner form;
        TSetupInfo* info = world.makeController(form);
        info->Loaded();
        info->SetupData().FindDir("Install")->SetDir("C:\\Elsewhere\\");
        info->Shutdown();
        EXPECT_TRUE(fs::exists(pendingOf(world)));
    }
    {
        SCOPED_TRACE("nothing announced was made: nothing is left waiting");
        SetupWorld world;
        FakeWizardScope wizard;
        killedBeforeTheInstallDirectory(world);
        fs::remove(world.host("c/Apps"));
        ComponentOwner form;
        TSetupInfo* info = world.makeController(form);
        info->Loaded();
        info->SetupData().FindDir("Install")->SetDir("C:\\Elsewhere\\");
        info->Shutdown();
        EXPECT_FALSE(fs::exists(pendingOf(world)));
    }
}

// A real setup process killed while it copies: the next start finds a record of every
// file it wrote except, at most, the one it was writing.
TEST(InstallJournal, KilledProcessLeavesAtMostTheFileBeingCopiedUnrecorded) {
    SetupWorld world;
    FakeWizardScope wizard;
    fs::create_directories(world.host("c/Lumora/Data"));
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        ComponentOwner form;
        TSetupInfo* info = world.makeController(form);
        info->Loaded();
        info->AddCreatedDir("C:\\Lumora\\Data\\");
        for (int i = 0;; ++i) {
            const std::string name = "f" + std::to_string(i) + ".txt";
            writeFile(world.host("c/Lumora/Data/" + name), std::string(4096, 'x'));
            info->AddInstalledFile("C:\\Lumora\\Data\\" + name);
        }
    }
    // Killed at an arbitrary moment once it is well under way.
    while (std::distance(fs::directory_iterator(world.host("c/Lumora/Data")),
                         fs::directory_iterator{}) < 40)
        ::usleep(1000);
    ::kill(child, SIGKILL);
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status));

    ComponentOwner form;
    TSetupInfo* info = world.makeController(form);
    info->Loaded();
    const ProfileFile log(world.host("c/Lumora/INSTALL.LOG"));
    const Strings recorded = log.keys("Files");
    int unrecorded = 0;
    for (const auto& entry : fs::directory_iterator(world.host("c/Lumora/Data"))) {
        const std::string path = "C:\\Lumora\\Data\\" + entry.path().filename().string();
        if (std::find(recorded.begin(), recorded.end(), path) == recorded.end())
            ++unrecorded;
    }
    EXPECT_LE(unrecorded, 1);
    EXPECT_GE(recorded.size(), 39u);
    EXPECT_EQ(log.keys("Created Dirs"), (Strings{"C:\\Lumora\\Data\\"}));
}

} // namespace
} // namespace setupkit::testing
