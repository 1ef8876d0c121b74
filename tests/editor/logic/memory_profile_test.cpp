#include "editor/logic/memory_profile.h"

#include <gtest/gtest.h>

using namespace lumora::editor;

TEST(MemoryProfile, SectionsAndKeysIgnoreCaseAndMissingReadsEmpty) {
    MemoryProfile profile;
    EXPECT_EQ(profile.readValue("Oldies", "1"), "");
    profile.writeValue("Oldies", "Key", "value");
    EXPECT_EQ(profile.readValue("OLDIES", "kEY"), "value");
    EXPECT_EQ(profile.readValue("Other", "Key"), "");
    profile.writeValue("oldies", "KEY", "");
    EXPECT_TRUE(profile.hasKey("Oldies", "key"));
    EXPECT_EQ(profile.readValue("Oldies", "Key"), "");
    EXPECT_EQ(profile.writeCount(), 2u);
}
