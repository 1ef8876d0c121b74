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
    // A whole text is lowered eight bytes at a time: every byte value at every place
    // of a word, and the letters' neighbours in a tail shorter than a word, lower as
    // one byte alone does.
    std::string all;
    for (int b = 0; b < 256; ++b)
        all += static_cast<char>(b);
    for (size_t shift = 0; shift < 9; ++shift) {
        const std::string text = all.substr(shift) + all.substr(0, shift) + "@AZ[`az{";
        const std::string lowered = asciiLowered(text);
        for (size_t i = 0; i < text.size(); ++i)
            ASSERT_EQ(lowered[i], asciiLower(text[i])) << "byte " << int(uint8_t(text[i]));
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
