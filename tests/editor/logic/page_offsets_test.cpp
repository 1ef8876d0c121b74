#include "editor/logic/page_offsets.h"

#include <gtest/gtest.h>

using namespace lumora::editor;

TEST(PageOffsets, LengthCountsCharactersAndTwoPerLineBreak) {
    EXPECT_EQ(pageTextLength({"ab", "c"}), 5u);
    EXPECT_EQ(pageTextLength({"\xC3\xA9t\xC3\xA9", ""}), 5u);
    EXPECT_EQ(pageTextLength({}), 0u);
    EXPECT_EQ(joinPageText({"ab", "", "c"}), "ab\r\n\r\nc");
}

TEST(PageOffsets, MapsOffsetsToLinesAndColumnsAndBack) {
    const Lines page{"h\xC3\xA9llo", "", "w\xC3\xB6rld"};
    const PageOffsets offsets(page);
    EXPECT_EQ(offsets.length(), 14u);
    struct Case {
        size_t offset;
        LinePosition position;
    };
    const Case cases[] = {{0, {0, 0}}, {5, {0, 5}}, {7, {1, 0}}, {9, {2, 0}}, {14, {2, 5}}};
    for (const auto& c : cases) {
        EXPECT_EQ(offsets.toLinePosition(c.offset), c.position) << c.offset;
        EXPECT_EQ(offsets.toOffset(c.position), c.offset) << c.offset;
    }
    // Between CR and LF, and past the end: clamped to a line end.
    EXPECT_EQ(offsets.toLinePosition(6), (LinePosition{0, 5}));
    EXPECT_EQ(offsets.toLinePosition(99), (LinePosition{2, 5}));
    EXPECT_EQ(offsets.toOffset({0, 99}), 5u);
    EXPECT_EQ(offsets.toOffset({7, 0}), 14u);
}

TEST(PageOffsets, EditsWithinAndAcrossLines) {
    struct Case {
        const char* name;
        Lines page;
        PageEdit edit;
        Lines expected;
    };
    const Case cases[] = {
        {"within a line", {"h\xC3\xA9llo world"}, {1, 4, "ey"}, {"hey world"}},
        {"join two lines", {"ab", "cd"}, {1, 4, ""}, {"ad"}},
        {"insert a break", {"abcd"}, {2, 0, "\r\n"}, {"ab", "cd"}},
        {"several lines become more",
         {"a", "b", "c"},
         {0, 4, "1\r\n2\n3\r4"},
         {"1", "2", "3", "4", "c"}},
        {"into an empty page", {}, {0, 0, "x"}, {"x"}},
        {"delete everything", {"a", "b"}, {0, 4, ""}, {""}},
    };
    for (const auto& c : cases) {
        Lines page = c.page;
        applyEdit(page, c.edit);
        EXPECT_EQ(page, c.expected) << c.name;
    }
}

TEST(PageOffsets, SplitKeepsTheLastLine) {
    EXPECT_EQ(splitKeepingLastLine("a\r\n"), (Lines{"a", ""}));
    EXPECT_EQ(splitKeepingLastLine(""), (Lines{""}));
    EXPECT_EQ(splitKeepingLastLine("a\rb\nc"), (Lines{"a", "b", "c"}));
}
