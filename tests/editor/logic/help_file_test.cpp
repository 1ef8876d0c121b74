#include "editor/logic/help_file.h"

#include "temp_dir.h"

#include <gtest/gtest.h>

using namespace lumora::editor;

TEST(HelpFile, TopicsByContextNumber) {
    const auto file = parseHelpFile("LUMORA HELP 1\r\n; a comment\r\nstray text\r\n"
                                    "#topic 2 What It Does\r\n<p>One</p>\r\n<p>Two</p>\r\n"
                                    "#topic x not a heading\r\n#topic 3   Getting Started\r\n"
                                    "#topic 2 Again\r\nlater\r\n");
    ASSERT_TRUE(file);
    ASSERT_EQ(file->topics.size(), 2u);
    EXPECT_EQ(file->topics.at(2), (HelpTopic{"Again", "later"}));
    EXPECT_EQ(file->topics.at(3), (HelpTopic{"Getting Started", ""}));
}

TEST(HelpFile, BodyKeepsItsLinesAndHeadingsWithoutNumbers) {
    const auto file = parseHelpFile("LUMORA HELP 1\n#topic 2 A\nx\n#topic y\nz\n");
    ASSERT_TRUE(file);
    EXPECT_EQ(file->topics.at(2).body, "x\n#topic y\nz");
}

TEST(HelpFile, OtherFilesAreNotHelpFiles) {
    EXPECT_FALSE(parseHelpFile(""));
    EXPECT_FALSE(parseHelpFile("#topic 2 A\nbody\n"));
    EXPECT_FALSE(parseHelpFile("LUMORA HELP 2\n#topic 2 A\n"));
}

TEST(HelpFile, ShippedFileHasBothContextsWithContent) {
    const auto text =
        lumora::testing::readFile(lumora::testing::sourceDir() / "data" / "Lumora.hlp");
    const auto file = parseHelpFile(text);
    ASSERT_TRUE(file);
    EXPECT_EQ(file->topics.at(2).title, "What It Does");
    EXPECT_EQ(file->topics.at(3).title, "Getting Started");
    EXPECT_GT(file->topics.at(2).body.size(), 500u);
    EXPECT_GT(file->topics.at(3).body.size(), 500u);
}

TEST(HelpFile, PathInTheStartupDirectory) {
    EXPECT_EQ(helpFilePath("/home/u/start"), "/home/u/start/Lumora.hlp");
    EXPECT_EQ(helpFilePath("/"), "/Lumora.hlp");
}
