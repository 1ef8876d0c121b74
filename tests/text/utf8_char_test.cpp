#include "text/utf8_char.h"

#include <gtest/gtest.h>

using namespace lumora::text;

TEST(Utf8Char, ReadsEachValidLengthAndReadsAnInvalidByteAlone) {
    struct Case {
        std::string_view bytes;
        char32_t codePoint;
        size_t length;
        bool valid;
    };
    for (const Case& c : std::initializer_list<Case>{
             {"a", 'a', 1, true},
             {"\xC3\xA9x", 0xE9, 2, true},
             {"\xE2\x82\xAC", 0x20AC, 3, true},
             {"\xF0\x9F\x98\x80", 0x1F600, 4, true},
             {"\xF4\x8F\xBF\xBF", 0x10FFFF, 4, true},
             {"\x80", 0x80, 1, false},             // a stray continuation byte
             {"\xE9t\xE9", 0xE9, 1, false},        // a Windows-1252 letter
             {"\xC0\xAF", 0xC0, 1, false},         // overlong
             {"\xE0\x80\x80", 0xE0, 1, false},     // overlong
             {"\xED\xA0\x80", 0xED, 1, false},     // a surrogate
             {"\xF4\x90\x80\x80", 0xF4, 1, false}, // past U+10FFFF
             {"\xE2\x82", 0xE2, 1, false},         // cut short
             {"\xE2(\xAC", 0xE2, 1, false},        // a lead byte before a plain one
             {"\xFF", 0xFF, 1, false},
         }) {
        const Utf8Char read = decodeUtf8At(c.bytes, 0);
        EXPECT_EQ(read.codePoint, c.codePoint) << testing::PrintToString(c.bytes);
        EXPECT_EQ(read.length, c.length) << testing::PrintToString(c.bytes);
        EXPECT_EQ(read.valid, c.valid) << testing::PrintToString(c.bytes);
    }
    // Reading starts where it is told and never reads past the end.
    EXPECT_EQ(decodeUtf8At("ab\xC3\xA9", 2).codePoint, 0xE9u);
    EXPECT_FALSE(decodeUtf8At(std::string_view("\xC3\xA9", 1), 0).valid);
}
