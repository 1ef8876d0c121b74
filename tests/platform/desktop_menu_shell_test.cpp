#include "platform/atomic_file.h"
#include "platform/desktop_entry_format.h"
#include "platform/desktop_menu_shell.h"
#include "temp_dir.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <sys/wait.h>

using namespace lumora::platform;
using lumora::testing::TempDir;
namespace fs = std::filesystem;

namespace {

// A home on drive C: with an installed program, a text and a menu location of its own.
struct InstalledHome {
    TempDir home;
    DriveMap drives;
    DesktopMenuLocations locations;
    InstalledHome() {
        fs::create_directories(home / "Lumora Apps");
        lumora::testing::writeFile(home / "Lumora Apps" / "Lumora", "#!/bin/sh\n");
        fs::permissions(home / "Lumora Apps" / "Lumora", fs::perms::owner_all);
        lumora::testing::writeFile(home / "Lumora Apps" / "setup", "#!/bin/sh\n");
        fs::permissions(home / "Lumora Apps" / "setup", fs::perms::owner_all);
        lumora::testing::writeFile(home / "Lumora Apps" / "ReadMe.txt", "read me");
        lumora::testing::writeFile(home / "Lumora Apps" / "Lumora.hlp", "help");
        drives.map('C', home.path());
        locations = {home / "share" / "applications", home / "share" / "desktop-directories",
                     home / "config" / "menus" / "applications-merged"};
    }
};

void expectValid(const fs::path& file) {
    static const bool available =
        std::system("command -v desktop-file-validate >/dev/null 2>&1") == 0;
    if (!available) {
        GTEST_SKIP()
            << "desktop-file-validate is not installed (Debian package desktop-file-utils)";
    }
    const std::string command = "desktop-file-validate '" + file.string() + "' 2>&1";
    FILE* pipe = popen(command.c_str(), "r");
    ASSERT_NE(pipe, nullptr);
    std::string output;
    char buffer[256];
    while (fgets(buffer, sizeof buffer, pipe))
        output += buffer;
    const int status = pclose(pipe);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << file << ":\n" << output;
    EXPECT_EQ(output.find("error"), std::string::npos) << file << ":\n" << output;
}

} // namespace

TEST(DesktopMenuShell, AGroupBecomesASubmenuAndItsItemsLaunchers) {
    InstalledHome h;
    DesktopMenuShell shell(h.drives, h.locations);
    ASSERT_TRUE(shell.execute("[CreateGroup(Lumora & Friends)]\r\n"));
    ASSERT_TRUE(shell.execute("[AddItem(\"C:\\LUMORA APPS\\LUMORA\" ,Lumora)]\r\n"));
    ASSERT_TRUE(
        shell.execute("[AddItem(\"C:\\Lumora Apps\\setup\" UNINSTALL,UnInstall Lumora)]\r\n"));
    ASSERT_TRUE(shell.execute("[AddItem(\"C:\\Lumora Apps\\README.TXT\" ,Read Me)]\r\n"));
    ASSERT_TRUE(shell.execute("[AddItem(\"C:\\Lumora Apps\\LUMORA.HLP\" ,Help)]\r\n"));
    ASSERT_TRUE(shell.execute("[ShowGroup(Lumora & Friends, 7)]\r\n"));

    const fs::path directory = shell.directoryFile("Lumora & Friends");
    const fs::path menu = shell.menuFile("lumora & friends");
    ASSERT_TRUE(fs::exists(directory));
    ASSERT_TRUE(fs::exists(menu));
    EXPECT_EQ(directory.parent_path(), h.locations.desktopDirectories);
    EXPECT_EQ(menu.parent_path(), h.locations.mergedMenus);
    const std::string directoryText = readWholeFile(directory);
    EXPECT_EQ(desktopEntryValue(directoryText, "Name"), "Lumora & Friends");
    EXPECT_EQ(desktopEntryValue(directoryText, "Type"), "Directory");
    const std::string menuText = readWholeFile(menu);
    const std::string id = directory.stem().string();
    EXPECT_NE(menuText.find("<Directory>" + id + ".directory</Directory>"), std::string::npos)
        << menuText;
    EXPECT_NE(menuText.find("<Category>X-" + id + "</Category>"), std::string::npos) << menuText;

    const auto items = shell.itemFiles("Lumora & Friends");
    ASSERT_EQ(items.size(), 4u);
    const std::string program = readWholeFile(shell.itemFile("Lumora & Friends", "Lumora"));
    EXPECT_EQ(desktopEntryValue(program, "Exec"),
              "\"" + (h.home / "Lumora Apps" / "Lumora").string() + "\"");
    EXPECT_EQ(desktopEntryValue(program, "Path"), (h.home / "Lumora Apps").string());
    EXPECT_EQ(desktopEntryValue(program, "Categories"), "Utility;X-" + id + ";");
    const std::string uninstall =
        readWholeFile(shell.itemFile("Lumora & Friends", "uninstall lumora"));
    EXPECT_EQ(desktopEntryValue(uninstall, "Name"), "UnInstall Lumora");
    EXPECT_EQ(desktopEntryValue(uninstall, "Exec"),
              "\"" + (h.home / "Lumora Apps" / "setup").string() + "\" UNINSTALL");
    const std::string document = readWholeFile(shell.itemFile("Lumora & Friends", "Read Me"));
    EXPECT_EQ(desktopEntryValue(document, "Exec"),
              "xdg-open \"" + (h.home / "Lumora Apps" / "ReadMe.txt").string() + "\"");
    // A help file of ours opens in the help window of its program.
    const std::string help = readWholeFile(shell.itemFile("Lumora & Friends", "Help"));
    EXPECT_EQ(desktopEntryValue(help, "Exec"),
              "\"" + (h.home / "Lumora Apps" / "Lumora").string() + "\" --help-file \"" +
                  (h.home / "Lumora Apps" / "Lumora.hlp").string() + "\"");

    expectValid(directory);
    for (const auto& item : items)
        expectValid(item);
}

TEST(DesktopMenuShell, GroupsAreListedDeletedAndItemsRemovedFromTheGroupShownLast) {
    InstalledHome h;
    DesktopMenuShell shell(h.drives, h.locations);
    EXPECT_EQ(shell.request("Groups"), "");
    shell.execute("[CreateGroup(Lumora)]\r\n[AddItem(\"C:\\Lumora Apps\\Lumora\" ,Lumora)]\r\n");
    shell.execute("[CreateGroup(Tools)]\r\n[AddItem(\"C:\\Lumora Apps\\Lumora\" ,Lumora)]\r\n");
    EXPECT_EQ(shell.request("groups"), "Lumora\r\nTools\r\n");

    // A second shell (the uninstall run) sees what the first one made.
    DesktopMenuShell later(h.drives, h.locations);
    EXPECT_TRUE(later.execute("[ShowGroup(LUMORA, 7)]\r\n"));
    EXPECT_TRUE(later.execute("[DeleteItem(LUMORA)]\r\n"));
    EXPECT_TRUE(later.itemFiles("Lumora").empty());
    EXPECT_EQ(later.itemFiles("Tools").size(), 1u);
    EXPECT_TRUE(later.execute("[DeleteGroup(Tools)]\r\n"));
    EXPECT_TRUE(later.itemFiles("Tools").empty());
    EXPECT_FALSE(fs::exists(later.menuFile("Tools")));
    EXPECT_FALSE(fs::exists(later.directoryFile("Tools")));
    EXPECT_EQ(later.request("Groups"), "Lumora\r\n");
    EXPECT_TRUE(later.execute("[DeleteGroup(Lumora)]\r\n"));
    for (const auto& dir :
         {h.locations.applications, h.locations.desktopDirectories, h.locations.mergedMenus})
        EXPECT_TRUE(fs::is_empty(dir)) << dir << " keeps files";
}

// The program's icon lies beside it as a PNG named after it; every item of its group
// shows it, and a folder without one gives no Icon key.
TEST(DesktopMenuShell, ItemsShowTheProgramsIconInstalledBesideThem) {
    for (const bool withIcon : {true, false}) {
        InstalledHome h;
        const fs::path icon = h.home / "Lumora Apps" / "Lumora.png";
        if (withIcon)
            lumora::testing::writeFile(icon, "png");
        DesktopMenuShell shell(h.drives, h.locations);
        ASSERT_TRUE(shell.execute("[CreateGroup(Lumora)]\r\n"));
        ASSERT_TRUE(shell.execute("[AddItem(\"C:\\Lumora Apps\\Lumora\" ,Lumora)]\r\n"));
        ASSERT_TRUE(shell.execute("[AddItem(\"C:\\Lumora Apps\\setup\" UNINSTALL,UNINSTALL)]\r\n"));
        ASSERT_TRUE(shell.execute("[AddItem(\"C:\\Lumora Apps\\ReadMe.txt\" ,ReadMe.txt)]\r\n"));
        for (const char* item : {"Lumora", "UNINSTALL", "ReadMe.txt"}) {
            const fs::path file = shell.itemFile("Lumora", item);
            EXPECT_EQ(desktopEntryValue(readWholeFile(file), "Icon"),
                      withIcon ? icon.string() : std::string())
                << item;
            if (withIcon)
                expectValid(file);
        }
    }
}

TEST(DesktopMenuShell, WhatAStoppedMenuStepLeftIsMendedByTheNextShell) {
    InstalledHome h;
    const std::vector<fs::path> left = {
        h.locations.applications /
            ".lumora-setup-lumora-1a2b3c4d--readme-txt-0badf00d.desktop.Ab3xYz",
        h.locations.desktopDirectories / ".lumora-setup-lumora-1a2b3c4d.directory.q1W2e3",
        h.locations.mergedMenus / ".lumora-setup-lumora-1a2b3c4d.menu.ZZZZZZ"};
    // Not ours, not a temporary's name, or not a plain file: they stay.
    const std::vector<fs::path> kept = {h.locations.applications / ".other-app.desktop.Ab3xYz",
                                        h.locations.applications / ".lumora-setup-x.desktop.short",
                                        h.locations.applications / "lumora-setup-x.desktop"};
    for (const auto& folder :
         {h.locations.applications, h.locations.desktopDirectories, h.locations.mergedMenus})
        fs::create_directories(folder);
    for (const auto& file : left)
        lumora::testing::writeFile(file, "[Desktop Entry]\n");
    for (const auto& file : kept)
        lumora::testing::writeFile(file, "[Desktop Entry]\n");
    const fs::path folder = h.locations.applications / ".lumora-setup-y.desktop.aaaaaa";
    fs::create_directories(folder);

    DesktopMenuShell shell(h.drives, h.locations);
    for (const auto& file : left)
        EXPECT_FALSE(fs::exists(file)) << file;
    for (const auto& file : kept)
        EXPECT_TRUE(fs::exists(file)) << file;
    EXPECT_TRUE(fs::is_directory(folder));

    // Stopped between the group's two files: creating it again completes it.
    ASSERT_TRUE(shell.execute("[CreateGroup(Lumora)]\r\n"));
    fs::remove(shell.menuFile("Lumora"));
    ASSERT_TRUE(shell.execute("[CreateGroup(Lumora)]\r\n"));
    EXPECT_TRUE(fs::exists(shell.menuFile("Lumora")));
}

TEST(DesktopMenuShell, ItemsOnUnmappedDrivesAreRefused) {
    InstalledHome h;
    DesktopMenuShell shell(h.drives, h.locations);
    ASSERT_TRUE(shell.execute("[CreateGroup(Lumora)]\r\n"));
    EXPECT_FALSE(shell.execute("[AddItem(\"Q:\\Lumora\\Lumora\" ,Lumora)]\r\n"));
    EXPECT_TRUE(shell.itemFiles("Lumora").empty());
}

TEST(DesktopEntryFormat, ExecArgumentsAreQuotedAndEscapedTwice) {
    struct Case {
        std::vector<std::string> arguments;
        const char* expected;
    } cases[] = {
        {{"/usr/bin/lumora"}, "/usr/bin/lumora"},
        {{"/home/a b/lumora", "UNINSTALL"}, "\"/home/a b/lumora\" UNINSTALL"},
        {{"/x", "100%"}, "/x 100%%"},
        {{"/x", "a\\b"}, "/x \"a\\\\\\\\b\""},
        {{"/x", "say \"hi\" $HOME `id`"}, "/x \"say \\\\\"hi\\\\\" \\\\$HOME \\\\`id\\\\`\""},
        {{"/x", ""}, "/x \"\""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(desktopExecValue(c.arguments), c.expected) << c.expected;
    EXPECT_EQ(unescapeDesktopValue(escapeDesktopValue(" lead\\tab\t\nline")), " lead\\tab\t\nline");
}

TEST(DesktopEntryFormat, IdsAreSafeAndShareOnlyWhenNamesDifferInCase) {
    EXPECT_EQ(desktopIdPart("Lumora"), desktopIdPart("LUMORA"));
    EXPECT_NE(desktopIdPart("A B"), desktopIdPart("A-B"));
    for (const char* name : {"Lumora & Friends", "../../etc", "", "Éditions"}) {
        const std::string id = desktopIdPart(name);
        EXPECT_EQ(id.find_first_not_of("abcdefghijklmnopqrstuvwxyz0123456789-"), std::string::npos)
            << id;
        EXPECT_EQ(id.find("--"), std::string::npos) << id;
    }
}
