#include "editor/logic/profile_file_access.h"

#include "temp_dir.h"

#include <gtest/gtest.h>

using namespace lumora;

TEST(ProfileFileAccess, ReadsAndWritesOneKeyAtATimeWithoutRegardToCase) {
    lumora::testing::TempDir dir;
    editor::ProfileFileAccess store(dir / "recentflz.ini");
    EXPECT_EQ(store.readValue("Oldies", "1"), "");
    store.writeValue("Oldies", "1", "/HOME/A.HTM");
    store.writeValue("OLDIES", "2", "");
    EXPECT_EQ(store.readValue("oldies", "1"), "/HOME/A.HTM");
    const std::string text = lumora::testing::readFile(dir / "recentflz.ini");
    EXPECT_NE(text.find("[Oldies]"), std::string::npos);
    EXPECT_NE(text.find("2="), std::string::npos);
}

// A program folder that cannot be written loses the entry, not the command.
TEST(ProfileFileAccess, StoreThatCannotBeWrittenReadsAsEmpty) {
    lumora::testing::TempDir dir;
    editor::ProfileFileAccess store(dir / "missing" / "recentflz.ini");
    EXPECT_NO_THROW(store.writeValue("Oldies", "1", "/A.HTM"));
    EXPECT_EQ(store.readValue("Oldies", "1"), "");
}

TEST(ProfileFileAccess, SeveralValuesInOneWritingKeepTheOtherSections) {
    lumora::testing::TempDir dir;
    lumora::testing::writeFile(dir / "recentflz.ini", "[Other]\r\nx=1\r\n[Oldies]\r\n1=/old\r\n");
    editor::ProfileFileAccess store(dir / "recentflz.ini");
    store.writeValues("oldies", {{"1", "/a.htm"}, {"2", "/B.htm"}, {"11", ""}});
    EXPECT_EQ(store.readValues("Oldies", {"1", "2", "3", "11"}),
              (std::vector<std::string>{"/a.htm", "/B.htm", "", ""}));
    EXPECT_EQ(store.readValue("Other", "x"), "1");
    EXPECT_NE(lumora::testing::readFile(dir / "recentflz.ini").find("11="), std::string::npos);
    editor::ProfileFileAccess unwritable(dir / "missing" / "recentflz.ini");
    EXPECT_NO_THROW(unwritable.writeValues("Oldies", {{"1", "/a.htm"}}));
}
