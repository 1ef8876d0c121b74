#include "common/ascii_case.h"

#include <gtest/gtest.h>

using namespace lumora;

TEST(AsciiCase, OnlyAsciiLettersFold) {
    EXPECT_EQ(asciiLowered("AbZ \xC3\x89"), "abz \xC3\x89");
    EXPECT_EQ(asciiUppered("az\xC3\xA9"), "AZ\xC3\xA9");
    // Every byte value: only the 52 letters change, and each lands on its partner.
    for (int b = 0; b < 256; ++b) {
        const char c = static_cast<char>(b);
        const bool upper = b >= 'A' && b <= 'Z';
        const bool lower = b >= 'a' && b <= 'z';
        EXPECT_EQ(asciiLower(c), upper ? static_cast<char>(b + 32) : c) << b;
        EXPECT_EQ(asciiUpper(c), lower ? static_cast<char>(b - 32) : c) << b;
    }
}

TEST(AsciiCase, EqualsIgnoringCase) {
    struct Case {
        std::string_view a, b;
        bool equal;
    };
    for (const Case& c : std::initializer_list<Case>{
             {"</BODY>", "</body>", true},
             {"C:\\Lumora\\ReadMe.txt", "c:\\LUMORA\\README.TXT", true},
             {"", "", true},
             {"abc", "abcd", false},
             // Non-ASCII letters stay as they are: no UTF-8 or 8-bit case pairs.
             {"caf\xC3\xA9", "CAF\xC3\x89", false},
             {"\xE9", "\xC9", false},
             // '@' and '`' sit next to the letters; they are no case pair.
             {"@", "`", false},
             {"[", "{", false},
         }) {
        EXPECT_EQ(equalsIgnoringCase(c.a, c.b), c.equal) << c.a << " / " << c.b;
        EXPECT_EQ(equalsIgnoringCase(c.b, c.a), c.equal) << c.b << " / " << c.a;
    }
}
