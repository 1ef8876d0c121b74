#include "platform/recording_progman_shell.h"

#include <gtest/gtest.h>

using namespace lumora::platform;

TEST(ProgmanShell, CommandStringsParseAsTheInstallerSendsThem) {
    struct Case {
        const char* text;
        std::vector<std::pair<std::string, std::vector<std::string>>> expected;
    } cases[] = {
        {"[CreateGroup(Lumora)]\r\n", {{"CreateGroup", {"Lumora"}}}},
        {"[AddItem(\"C:\\Lumora\\Lumora\" ,Lumora)]\r\n",
         {{"AddItem", {"\"C:\\Lumora\\Lumora\"", "Lumora"}}}},
        {"[AddItem(\"C:\\Lumora\\setup\" UNINSTALL,UnInstall, Lumora (old))]\r\n",
         {{"AddItem", {"\"C:\\Lumora\\setup\" UNINSTALL", "UnInstall", "Lumora (old)"}}}},
        {"[AddItem(\"C:\\My, Documents\\a.txt\" ,A)]",
         {{"AddItem", {"\"C:\\My, Documents\\a.txt\"", "A"}}}},
        {"[ShowGroup(Lumora, 7)]\r\n", {{"ShowGroup", {"Lumora", "7"}}}},
        {"[ShowGroup(Lumora, 7)][DeleteItem(Read Me)]",
         {{"ShowGroup", {"Lumora", "7"}}, {"DeleteItem", {"Read Me"}}}},
        {"[DeleteGroup( Tools (x86) )]\r\n", {{"DeleteGroup", {"Tools (x86)"}}}},
        {"[Reload]", {{"Reload", {}}}},
    };
    for (const auto& c : cases) {
        const auto commands = parseProgmanCommands(c.text);
        ASSERT_TRUE(commands) << c.text;
        ASSERT_EQ(commands->size(), c.expected.size()) << c.text;
        for (size_t i = 0; i < c.expected.size(); ++i) {
            EXPECT_EQ((*commands)[i].name, c.expected[i].first) << c.text;
            EXPECT_EQ((*commands)[i].arguments, c.expected[i].second) << c.text;
        }
    }
    for (const char* broken : {"CreateGroup(Lumora)", "[CreateGroup(Lumora]",
                               "[CreateGroup(\"Lumora)]", "[]", "[CreateGroup(Lumora)] trailing"})
        EXPECT_FALSE(parseProgmanCommands(broken)) << broken;
}

TEST(ProgmanShell, ItemsGoToTheGroupCreatedOrShownLast) {
    RecordingProgmanShell shell;
    shell.addExistingGroup("Accessories", {"Notepad", "Read Me"});
    EXPECT_TRUE(shell.execute("[CreateGroup(Lumora)]\r\n"));
    EXPECT_TRUE(shell.execute("[AddItem(\"C:\\Lumora\\Lumora\" ,Lumora)]\r\n"));
    EXPECT_TRUE(shell.execute("[AddItem(\"C:\\Lumora\\ReadMe.txt\" ,Read Me)]\r\n"));
    EXPECT_TRUE(shell.execute("[ShowGroup(Lumora, 7)]\r\n"));
    EXPECT_EQ(shell.findGroup("LUMORA")->items, (std::vector<std::string>{"Lumora", "Read Me"}));

    EXPECT_TRUE(shell.execute("[ShowGroup(accessories, 7)]\r\n"));
    EXPECT_TRUE(shell.execute("[DeleteItem(Read Me)]\r\n"));
    EXPECT_EQ(shell.findGroup("Accessories")->items, std::vector<std::string>{"Notepad"});
    EXPECT_EQ(shell.findGroup("Lumora")->items.size(), 2u)
        << "DeleteItem acts on the group shown last";

    EXPECT_FALSE(shell.execute("[ShowGroup(Missing, 7)]\r\n"));
    EXPECT_EQ(shell.currentGroup(), "accessories");
    EXPECT_FALSE(shell.execute("[DeleteItem(Read Me)]\r\n")) << "already gone";
    EXPECT_TRUE(shell.execute("[DeleteGroup(Lumora)]\r\n"));
    EXPECT_FALSE(shell.findGroup("Lumora"));
    EXPECT_FALSE(shell.execute("[DeleteGroup(Lumora)]\r\n"));
    EXPECT_FALSE(shell.execute("[Explode(Lumora)]\r\n"));
}

TEST(ProgmanShell, AnItemWithoutNameIsNamedAfterItsFile) {
    RecordingProgmanShell shell;
    ASSERT_TRUE(shell.execute("[CreateGroup(Lumora)][AddItem(\"C:\\Lumora\\ORDER.TXT\" ,)]"));
    EXPECT_EQ(shell.findGroup("Lumora")->items, std::vector<std::string>{"ORDER"});
    EXPECT_EQ(defaultItemName("C:\\Lumora\\setup UNINSTALL"), "setup");
    EXPECT_FALSE(RecordingProgmanShell().execute("[AddItem(\"C:\\x\" ,x)]")) << "no current group";
}

TEST(ProgmanShell, TheGroupsRequestListsOneNameALine) {
    RecordingProgmanShell shell;
    EXPECT_EQ(shell.request("Groups"), "");
    shell.addExistingGroup("Accessories");
    shell.execute("[CreateGroup(Lumora)]\r\n");
    EXPECT_EQ(shell.request("Groups"), "Accessories\r\nLumora\r\n");
    EXPECT_FALSE(shell.request("Windows"));
}

TEST(ProgmanShell, TheRecorderKeepsEveryTextAndCanFailOrBeAbsent) {
    RecordingProgmanShell shell;
    shell.failCommand("AddItem");
    EXPECT_TRUE(shell.connect());
    EXPECT_TRUE(shell.execute("[CreateGroup(Lumora)]\r\n"));
    EXPECT_FALSE(shell.execute("[AddItem(\"C:\\Lumora\\Lumora\" ,Lumora)]\r\n"));
    shell.disconnect();
    EXPECT_EQ(shell.log(), (std::vector<std::string>{
                               "connect", "[CreateGroup(Lumora)]\r\n",
                               "[AddItem(\"C:\\Lumora\\Lumora\" ,Lumora)]\r\n", "disconnect"}));
    EXPECT_TRUE(shell.findGroup("Lumora")->items.empty());
    EXPECT_EQ(shell.commands().size(), 2u);

    shell.clearLog();
    shell.setAvailable(false);
    EXPECT_FALSE(shell.connect());
    EXPECT_FALSE(shell.request("Groups"));
    EXPECT_FALSE(shell.execute("[DeleteGroup(Lumora)]\r\n"));
    EXPECT_TRUE(shell.findGroup("Lumora"));
    EXPECT_EQ(shell.executed(), std::vector<std::string>{"[DeleteGroup(Lumora)]\r\n"});
}
