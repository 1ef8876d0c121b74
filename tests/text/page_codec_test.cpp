#include "text/page_codec.h"

#include <gtest/gtest.h>

using namespace lumora::text;

TEST(PageLines, LineBreaksOfEveryKindAndNoEmptyLastLine) {
    EXPECT_EQ(splitLines("a\r\nb\nc\rd"), (Lines{"a", "b", "c", "d"}));
    EXPECT_EQ(splitLines("a\r\n"), (Lines{"a"}));
    EXPECT_EQ(splitLines("a\r\n\r\n"), (Lines{"a", ""}));
    EXPECT_EQ(splitLines("\r\r\n\n"), (Lines{"", "", ""}));
    EXPECT_TRUE(splitLines("").empty());
    EXPECT_EQ(joinWithCrLf({"a", "", "b"}), "a\r\n\r\nb\r\n");
}

TEST(PageLines, LengthCountsCharactersAndTwoPerLineBreak) {
    EXPECT_EQ(charCount("h\xC3\xA9llo"), 5u);
    EXPECT_EQ(charCount("\xF0\x9F\x98\x80"), 1u);
    EXPECT_EQ(pageLength({"ab", "\xC3\xA9"}), 2u + 2u + 1u + 2u);
    EXPECT_EQ(pageLength({}), 0u);
}

TEST(PageCodec, Utf8WithAndWithoutBomRoundTrips) {
    const std::string plain = "<p>caf\xC3\xA9</p>\r\n\xE2\x82\xAC\r\n";
    DecodedPage page = decodePage(plain);
    EXPECT_EQ(page.encoding, PageEncoding::Utf8);
    EXPECT_EQ(page.lines, (Lines{"<p>caf\xC3\xA9</p>", "\xE2\x82\xAC"}));
    EXPECT_EQ(encodePage(page.lines, page.encoding).bytes, plain);

    const std::string withBom = "\xEF\xBB\xBFx\r\n";
    page = decodePage(withBom);
    EXPECT_EQ(page.encoding, PageEncoding::Utf8WithBom);
    EXPECT_EQ(page.lines, (Lines{"x"}));
    EXPECT_EQ(encodePage(page.lines, page.encoding).bytes, withBom);
}

TEST(PageCodec, EveryWindows1252ByteRoundTrips) {
    std::string bytes;
    for (int b = 0; b < 256; ++b)
        if (b != '\r' && b != '\n')
            bytes += static_cast<char>(b);
    bytes += "\r\n";
    DecodedPage page = decodePage(bytes);
    ASSERT_EQ(page.encoding, PageEncoding::Windows1252);
    ASSERT_EQ(page.lines.size(), 1u);
    EXPECT_EQ(charCount(page.lines[0]), 254u);
    EXPECT_TRUE(isValidUtf8(page.lines[0]));
    EncodedPage saved = encodePage(page.lines, page.encoding);
    EXPECT_EQ(saved.encoding, PageEncoding::Windows1252);
    EXPECT_EQ(saved.bytes, bytes);
}

TEST(PageCodec, Windows1252SpecialsDecodeToTheirCharacters) {
    EXPECT_EQ(windows1252ToUtf8("\x80\xE9\x9F"), "\xE2\x82\xAC\xC3\xA9\xC5\xB8");
}

TEST(PageCodec, LfOnlyInputIsSavedWithCrLf) {
    DecodedPage page = decodePage("one\ntwo\n");
    EXPECT_EQ(encodePage(page.lines, page.encoding).bytes, "one\r\ntwo\r\n");
}

TEST(PageCodec, Windows1252PageWithUnstorableCharacterIsSavedAsUtf8) {
    // A character typed into a Windows-1252 page that the code page has no byte for.
    EncodedPage saved = encodePage({"\xC3\xA9 \xE4\xB8\xAD"}, PageEncoding::Windows1252);
    EXPECT_EQ(saved.encoding, PageEncoding::Utf8);
    EXPECT_EQ(saved.bytes, "\xC3\xA9 \xE4\xB8\xAD\r\n");
}

TEST(PageCodec, TextBeginningWithZeroWidthNoBreakSpaceKeepsIt) {
    // U+FEFF as the first character reads like a byte order mark unless one comes first.
    const Lines lines{"\xEF\xBB\xBF<p>", "x"};
    for (PageEncoding asked :
         {PageEncoding::Utf8, PageEncoding::Utf8WithBom, PageEncoding::Windows1252}) {
        const EncodedPage saved = encodePage(lines, asked);
        EXPECT_EQ(saved.encoding, PageEncoding::Utf8WithBom);
        EXPECT_EQ(decodePage(saved.bytes).lines, lines);
    }
}

TEST(PageCodec, InvalidUtf8Forms) {
    const char* invalid[] = {"\xC0\x80", "\xE0\x80\x80", "\xED\xA0\x80", "\xF4\x90\x80\x80",
                             "\xC3",     "\xE2\x82",     "\x80",         "\xFF"};
    for (const char* s : invalid)
        EXPECT_FALSE(isValidUtf8(s)) << s;
    EXPECT_TRUE(isValidUtf8("\xF4\x8F\xBF\xBF"));
}
