#include "setup/engine/language_library.h"
#include "setup/engine/scripted_setup_interaction.h"
#include "setup/pages/catalogue_format.h"
#include "setup/pages/copy_plan.h"
#include "setup/pages/space_check.h"
#include "setup/script/setup_script.h"

#include <gtest/gtest.h>

#include <map>

using namespace setupkit;

namespace {

// A script with directories and files, an install set and a selection, as the
// controller holds them after its start.
struct Install {
    TSetupData script;
    TSetupFileGroup installSet{&script};
    std::vector<TSetupDir*> selected;

    TSetupDir* dir(const std::string& name, const std::string& path, TSetupDir* parent = nullptr) {
        TSetupDir* d = script.AddDir(name, path, parent);
        selected.push_back(d);
        return d;
    }
    TSetupFile* file(const std::string& name, TSetupDir* into, std::int32_t size, int disk = 1) {
        TSetupFile* f = script.AddFile("C:\\RELEASE\\" + name);
        f->SetSize(size);
        while (static_cast<int>(script.Disks().size()) < disk)
            script.AddDisk("Disk " + std::to_string(script.Disks().size() + 1));
        script.GetDisk(disk)->AddFile(f);
        installSet.AddFile(f, into, true);
        return f;
    }
};

std::vector<std::string> texts(const std::vector<CopyEntry>& entries) {
    std::vector<std::string> out;
    for (const auto& e : entries)
        out.push_back(e.text());
    return out;
}

std::vector<std::string> paths(const std::vector<TargetDirectory>& targets) {
    std::vector<std::string> out;
    for (const auto& t : targets)
        out.push_back(t.path);
    return out;
}

} // namespace

TEST(CatalogueFormat, FillsPlacesInOrderWithoutReadingTheValues) {
    EXPECT_EQ(
        formatCatalogueText("FILE COPY ERROR: %s located on disk %d.", {"C:\\100%d.txt", "2"}),
        "FILE COPY ERROR: C:\\100%d.txt located on disk 2.");
    EXPECT_EQ(formatCatalogueText("100%% of %s, %s", {"one"}), "100% of one, %s");
}

TEST(CopyPlan, TargetDirectoriesAreSelectedSortedAndEmptyOnesOnlyOnRequest) {
    Install install;
    TSetupDir* root = install.script.FindDir("Install");
    root->SetDir("C:\\Lumora\\");
    install.selected.push_back(root);
    TSetupDir* help = install.dir("Help", "Help\\", root);
    TSetupDir* empty = install.dir("Empty", "C:\\Empty\\");
    TSetupDir* notSelected = install.dir("Other", "D:\\Other\\");
    install.selected.pop_back();
    TSetupDir* samePath = install.dir("Again", "c:\\lumora\\");
    install.file("Lumora.hlp", help, 10);
    install.file("Lumora.exe", root, 20);
    install.file("other.txt", notSelected, 30);
    install.file("again.txt", samePath, 40);
    install.installSet.AddFile(install.script.FindFile("Lumora.exe"), empty, true);
    install.installSet.RemoveFile(install.script.FindFile("Lumora.exe"), empty);

    auto targets = targetDirectories(install.installSet, install.selected, false);
    EXPECT_EQ(paths(targets), (std::vector<std::string>{"C:\\Lumora\\", "C:\\Lumora\\Help\\"}));
    ASSERT_EQ(targets[0].dirs.size(), 2u); // Install and Again share one path
    targets = targetDirectories(install.installSet, install.selected, true);
    EXPECT_EQ(paths(targets),
              (std::vector<std::string>{"C:\\Empty\\", "C:\\Lumora\\", "C:\\Lumora\\Help\\"}));

    // Files of both directories with the one path are copied.
    const auto entries = buildCopyList(targets, install.installSet, install.script);
    EXPECT_EQ(texts(entries),
              (std::vector<std::string>{"1::again.txt::C:\\Lumora\\", "1::Lumora.exe::C:\\Lumora\\",
                                        "1::Lumora.hlp::C:\\Lumora\\Help\\"}));
    EXPECT_EQ(totalCopySize(entries), 70);
}

TEST(CopyPlan, CopyListIsSortedAsTextSoDiskTenComesBeforeDiskTwo) {
    Install install;
    TSetupDir* root = install.script.FindDir("Install");
    root->SetDir("C:\\App\\");
    install.selected.push_back(root);
    install.file("b.dat", root, 1, 2);
    install.file("a.dat", root, 2, 10);
    install.file("Z.dat", root, 3, 1);
    TSetupFile* both = install.file("split.dat", root, 4, 1);
    install.script.GetDisk(2)->AddFile(both); // carried on two disks: copied from each

    const auto entries =
        buildCopyList(targetDirectories(install.installSet, install.selected, false),
                      install.installSet, install.script);
    EXPECT_EQ(texts(entries),
              (std::vector<std::string>{"10::a.dat::C:\\App\\", "1::split.dat::C:\\App\\",
                                        "1::Z.dat::C:\\App\\", "2::b.dat::C:\\App\\",
                                        "2::split.dat::C:\\App\\"}));
    EXPECT_EQ(totalCopySize(entries), 14);
}

TEST(CopyPlan, DiskPrompts) {
    struct Case {
        int entryDisk;
        int currentDisk;
        const char* sourceDir;
        bool test;
        bool prompts;
    };
    const Case cases[] = {
        {1, 1, "A:\\", false, false},        // every file on disk 1: never asked
        {2, 1, "C:\\SOURCE\\", true, false}, // test mode from a hard disk
        {2, 1, "a:\\", true, true},          // test mode from a floppy still asks
        {2, 1, "C:\\SOURCE\\", false, true}, {1, 2, "B:\\", false, true},
    };
    for (const auto& c : cases)
        EXPECT_EQ(needsDiskPrompt(c.entryDisk, c.currentDisk, c.sourceDir, c.test), c.prompts)
            << c.entryDisk << " " << c.currentDisk << " " << c.sourceDir << " " << c.test;

    ScriptedSetupInteraction interaction;
    MessageCatalogue catalogue(interaction, noLanguageLibrary());
    EXPECT_EQ(diskPromptText(catalogue, 2, "Lumora disk 2"),
              "Please insert disk 2 labeled Lumora disk 2.");
}

TEST(SpaceCheck, NeedsPerDriveInFirstMetOrderAndTheFourLineWarning) {
    Install install;
    TSetupDir* onD = install.dir("D", "d:\\Data\\");
    TSetupDir* onC = install.dir("C", "C:\\App\\");
    TSetupDir* alsoD = install.dir("D2", "D:\\More\\");
    TSetupDir* unselected = install.dir("E", "E:\\Skip\\");
    install.selected.pop_back();
    install.file("a", onD, 100);
    install.file("b", onC, 7);
    install.file("c", alsoD, 50);
    install.file("d", unselected, 1000);

    const auto needs = spaceNeededPerDrive(install.installSet, install.selected);
    ASSERT_EQ(needs.size(), 3u);
    EXPECT_EQ(needs[0].drive, 'D');
    EXPECT_EQ(needs[0].needed, 150);
    EXPECT_EQ(needs[1].drive, 'C');
    EXPECT_EQ(needs[1].needed, 7);
    EXPECT_EQ(needs[2].drive, 'E');
    EXPECT_EQ(needs[2].needed, 0);

    const std::map<char, std::int64_t> free = {{'C', 7}, {'D', 120}, {'E', -1}};
    const auto shortfalls = drivesTooSmall(needs, [&](char d) { return free.at(d); });
    ASSERT_EQ(shortfalls.size(), 1u); // C: fits exactly; E: takes nothing
    EXPECT_EQ(shortfalls[0].drive, 'D');

    ScriptedSetupInteraction interaction;
    MessageCatalogue catalogue(interaction, noLanguageLibrary());
    EXPECT_EQ(driveTooSmallWarning(catalogue, shortfalls[0]),
              "There is not enough space on the D drive.\r\n"
              "There is 120 bytes available.\r\n"
              "150 bytes are required on this drive.\r\n"
              "30 more bytes are required.\r\n");
    // A drive whose folder is gone has no space to tell: the folder is named instead.
    EXPECT_EQ(driveTooSmallWarning(catalogue, {'E', 5, -1}, "/mnt/gone"),
              "Drive E: stands for the folder /mnt/gone, which does not exist or cannot be "
              "read.\r\n");
}
