#include "tags/char_count.h"
#include "tags/compressor.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

using namespace lumora::tags;
using lumora::text::Lines;

TEST(Compressor, Cases) {
    struct Case {
        const char* name;
        Lines page;
        Lines expected;
    };
    const Case cases[] = {
        {"already compressed", {"<p>", "  text", "</p>"}, {"<p>", "  text", "</p>"}},
        {"ten empty lines", {"one", "", "", "", "", "", "", "", "", "", "", "two"}, {"one", "two"}},
        {"line of 25 spaces", {"a", std::string(25, ' '), "b"}, {"a", "b"}},
        {"trailing blanks and controls", {"a \t ", "b\x01\r", "\t"}, {"a", "b"}},
        {"indentation and inner blanks stay", {"\t  a  b  "}, {"\t  a  b"}},
        {"non-ASCII is not blank", {"caf\xC3\xA9 ", "\xC2\xA0"}, {"caf\xC3\xA9", "\xC2\xA0"}},
        {"nothing left", {"", "   "}, {}},
    };
    for (const auto& c : cases) {
        Lines page = c.page;
        const bool changed = compressPage(page);
        EXPECT_EQ(page, c.expected) << c.name;
        EXPECT_EQ(changed, c.page != c.expected) << c.name;
    }
}

TEST(Compressor, AgreesWithStripAndDropEmptyOnRandomPages) {
    std::mt19937 random(7);
    const std::string alphabet = "ab <>\t \x01\x7f\xC3\xA9";
    for (int round = 0; round < 500; ++round) {
        Lines page(random() % 20);
        for (auto& line : page)
            for (int n = static_cast<int>(random() % 8); n > 0; --n)
                line += alphabet[random() % alphabet.size()];
        Lines expected;
        for (const auto& line : page) {
            std::string stripped = line;
            while (!stripped.empty() && static_cast<unsigned char>(stripped.back()) <= ' ')
                stripped.pop_back();
            if (!stripped.empty())
                expected.push_back(stripped);
        }
        Lines actual = page;
        compressPage(actual);
        ASSERT_EQ(actual, expected) << round;
    }
}

TEST(CharCount, LineBreaksCountTwoAndNoneAfterTheLastLine) {
    EXPECT_EQ(pageCharacterCount({"ab", "c"}), 5u);
    EXPECT_EQ(pageCharacterCount({"caf\xC3\xA9", "", ""}), 8u);
    EXPECT_EQ(pageCharacterCount({}), 0u);
    EXPECT_EQ(pageCharacterCount({""}), 0u);
    EXPECT_EQ(charCountMessage(5), "The text has 5 characters");
}
