#include "text/page_codec.h"

#include "code_points.h"

#include <gtest/gtest.h>

using namespace lumora::text;

TEST(PageLines, LineBreaksOfEveryKindAndNoEmptyLastLine) {
    EXPECT_EQ(splitLines("a\r\nb\nc\rd"), (Lines{"a", "b", "c", "d"}));
    EXPECT_EQ(splitLines("a\r\n"), (Lines{"a"}));
    EXPECT_EQ(splitLines("a\r\n\r\n"), (Lines{"a", ""}));
    EXPECT_EQ(splitLines("\r\r\n\n"), (Lines{"", "", ""}));
    EXPECT_EQ(splitLines("\n\r\n\rx\r"), (Lines{"", "", "", "x"}));
    EXPECT_TRUE(splitLines("").empty());
    EXPECT_EQ(joinWithCrLf({"a", "", "b"}), "a\r\n\r\nb\r\n");
}

TEST(PageLines, LengthCountsCharactersAndTwoPerLineBreak) {
    EXPECT_EQ(charCount("h\xC3\xA9llo"), 5u);
    EXPECT_EQ(charCount("\xF0\x9F\x98\x80"), 1u);
    EXPECT_EQ(pageLength({"ab", "\xC3\xA9"}), 2u + 2u + 1u + 2u);
    EXPECT_EQ(pageLength({}), 0u);
    // Long texts are counted eight bytes at a time: every sequence length at every
    // offset, and Windows-1252 bytes that are no UTF-8 at all, count as one at a time.
    const std::string pieces[] = {"a", "\xC3\xA9", "\xE2\x82\xAC", "\xF0\x9F\x98\x80", "\x80\xBF"};
    std::string text;
    size_t expected = 0;
    for (int i = 0; i < 60; ++i) {
        const std::string& piece = pieces[(i * 7) % 5];
        text += piece;
        expected += piece == "\x80\xBF" ? 0 : 1;
        ASSERT_EQ(charCount(text), expected) << i;
        ASSERT_EQ(charCount(std::string_view(text).substr(1)), expected - (text[0] == 'a')) << i;
    }
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

// Windows-1252 text whose saved bytes another encoding would claim keeps its letters.
TEST(PageCodec, Windows1252TextThatWouldReadAsAnotherEncodingIsSavedAsUtf8) {
    const std::vector<std::string> pages = {
        // Odd in length as read; even, so a UTF-16 page, once saved with CR LF.
        std::string("\xFE\xFF"
                    "ab\ncd\n\x80"),
        std::string("\xFF\xFE"
                    "abcd\n"),
        // Valid UTF-8 once the byte that made it Windows-1252 is edited away.
        std::string("\xC3\xA9\xFF"),
    };
    for (const std::string& bytes : pages) {
        DecodedPage page = decodePage(bytes);
        ASSERT_EQ(page.encoding, PageEncoding::Windows1252);
        if (page.lines.front().ends_with("\xC3\xBF")) // the edit: the last letter goes
            page.lines.front().resize(page.lines.front().size() - 2);
        const EncodedPage saved = encodePage(page.lines, page.encoding);
        const DecodedPage back = decodePage(saved.bytes);
        EXPECT_EQ(back.lines, page.lines);
        EXPECT_EQ(back.encoding, saved.encoding);
    }
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

using lumora::testing::utf16;

TEST(PageCodec, Utf16PagesRoundTripInTheirByteOrder) {
    // CR and LF bytes inside other characters (U+0D0A, U+0A0D) are no line breaks.
    const std::u32string text = U"<p>caf\u00E9 \u0D0A\u0A0D \U0001F600</p>\r\n\r\nzwei\r\n";
    for (const bool bigEndian : {false, true}) {
        const std::string bytes = utf16(text, bigEndian);
        const DecodedPage page = decodePage(bytes);
        EXPECT_EQ(page.encoding, bigEndian ? PageEncoding::Utf16BE : PageEncoding::Utf16LE);
        EXPECT_EQ(page.lines, (Lines{"<p>caf\xC3\xA9 \xE0\xB4\x8A\xE0\xA8\x8D \xF0\x9F\x98\x80</p>",
                                     "", "zwei"}));
        EXPECT_FALSE(looksBinary(bytes));
        EXPECT_EQ(encodePage(page.lines, page.encoding).bytes, bytes) << bigEndian;

        Lines edited = page.lines;
        edited[1] = "neu \xE2\x82\xAC";
        EXPECT_EQ(encodePage(edited, page.encoding).bytes,
                  utf16(U"<p>caf\u00E9 \u0D0A\u0A0D \U0001F600</p>\r\nneu \u20AC\r\nzwei\r\n",
                        bigEndian));
    }
}

TEST(PageCodec, NulBytesMakeABinaryFileUnlessItIsUtf16) {
    struct Case {
        std::string bytes;
        bool binary;
    };
    const Case cases[] = {
        {std::string("GIF89a\0\0\1", 9), true},
        {std::string(kBinaryProbeBytes, 'a') + std::string(1, '\0'), false}, // past the probe
        {"<html>\r\n", false},
        {utf16(U"<html>\r\n", false), false},
        {utf16(U"<html>\r\n", true), false},
        {utf16(U"<html>", false) + "x", true},                   // odd byte count
        {utf16(U"<html>\xDC00", false), true},                   // a low surrogate alone
        {utf16(U"<h", true) + std::string("\xD8\x00", 2), true}, // a high one at the end
        {std::string("\xFF\xFE<\0", 4), false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(looksBinary(c.bytes), c.binary) << c.bytes.size();
}
