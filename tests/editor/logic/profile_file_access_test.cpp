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
