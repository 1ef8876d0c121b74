#include "audit/page_audit.h"

#include <gtest/gtest.h>

using namespace lumora::audit;

namespace {

struct TagCase {
    const char* name;
    std::string bytes;
    std::string title;
    std::string description;
    std::string keywords;
    size_t titleLength;
    size_t descriptionLength;
};

} // namespace

// What a search engine would show, found however the page writes its tags, and counted
// in characters of the decoded text.
TEST(PageAudit, ReadsTheTagsAsThePageHoldsThem) {
    const TagCase cases[] = {
        {"plain",
         "<html><head><title>Home page</title>\n"
         "<meta name=\"description\" content=\"All about us\">\n"
         "<meta name=\"keywords\" content=\"a,b\"></head></html>",
         "Home page", "All about us", "a,b", 9, 12},
        {"case, attribute order and single quotes",
         "<TITLE>Big</TITLE><META CONTENT='Said here' NAME='Description'>"
         "<meta content=k name=KEYWORDS>",
         "Big", "Said here", "k", 3, 9},
        {"title over lines, blanks run together", "<title>\n  One\r\n\ttwo  </title>", "One two",
         "", "", 7, 0},
        {"entities decoded", "<title>Fish &amp; Chips &#169; &#x20AC; &mdash;</title>",
         "Fish & Chips \xc2\xa9 \xe2\x82\xac \xe2\x80\x94", "", "", 18, 0},
        {"blanks written as entities", "<title>&#32;a &#10;&#x20; b&#9;</title>", "a b", "", "", 3,
         0},
        {"unknown or unfinished entities stay", "<title>&bogus; &amp &#xZZ; &#1</title>",
         "&bogus; &amp &#xZZ; &#1", "", "", 23, 0},
        {"UTF-8 counts characters", "<title>Caf\xc3\xa9 \xc3\xbc\xc3\xa4</title>",
         "Caf\xc3\xa9 \xc3\xbc\xc3\xa4", "", "", 7, 0},
        {"Windows-1252 decoded first", "<title>Caf\xe9 \x80</title>", "Caf\xc3\xa9 \xe2\x82\xac",
         "", "", 6, 0},
        {"only the first title; comments and scripts skipped",
         "<!-- <title>old</title> --><script>x='<title>no</title>'</script>"
         "<title>yes</title><title>second</title>",
         "yes", "", "", 3, 0},
        {"markup inside a title is its text", "<title>a <b>bold</b> move</title>",
         "a <b>bold</b> move", "", "", 18, 0},
    };
    for (const auto& c : cases) {
        const PageAudit audit = auditPage(c.bytes);
        EXPECT_EQ(audit.title.text, c.title) << c.name;
        EXPECT_EQ(audit.description.text, c.description) << c.name;
        EXPECT_EQ(audit.keywords.text, c.keywords) << c.name;
        EXPECT_EQ(audit.title.length, c.titleLength) << c.name;
        EXPECT_EQ(audit.description.length, c.descriptionLength) << c.name;
        EXPECT_EQ(audit.size, c.bytes.size()) << c.name;
    }
}

TEST(PageAudit, TellsAbsentFromEmpty) {
    const PageAudit none = auditPage("<html><body>text</body></html>");
    EXPECT_FALSE(none.title.present);
    EXPECT_FALSE(none.description.present);
    EXPECT_FALSE(none.keywords.present);
    const PageAudit empty = auditPage("<title> </title><meta name=\"description\" content=\"\">"
                                      "<meta name=\"description\" content=\"later\">");
    EXPECT_TRUE(empty.title.present);
    EXPECT_EQ(empty.title.text, "");
    EXPECT_TRUE(empty.description.present);
    EXPECT_EQ(empty.description.text, ""); // the first one counts, as for the title
}

TEST(PageAudit, DeclaredCharsetAgainstTheBytes) {
    struct Case {
        const char* name;
        std::string bytes;
        std::string declared;
        ByteCharset actual;
        bool mismatch;
    };
    const std::string utf8Text = "<p>caf\xc3\xa9</p>";
    const std::string cp1252Text = "<p>caf\xe9</p>";
    const Case cases[] = {
        {"none declared, ASCII", "<p>x</p>", "", ByteCharset::Ascii, false},
        {"none declared, UTF-8", utf8Text, "", ByteCharset::Utf8, false},
        {"meta charset UTF-8", "<meta charset=\"UTF-8\">" + utf8Text, "utf-8", ByteCharset::Utf8,
         false},
        {"unquoted, upper case", "<META CHARSET=utf8>" + utf8Text, "utf8", ByteCharset::Utf8,
         false},
        {"UTF-8 declared, Windows-1252 bytes", "<meta charset=utf-8>" + cp1252Text, "utf-8",
         ByteCharset::Windows1252, true},
        {"http-equiv Latin-1, Windows-1252 bytes",
         "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=ISO-8859-1\">" +
             cp1252Text,
         "iso-8859-1", ByteCharset::Windows1252, false},
        {"http-equiv Windows-1252, UTF-8 bytes",
         "<meta http-equiv='content-type' content='text/html;charset=windows-1252'>" + utf8Text,
         "windows-1252", ByteCharset::Utf8, true},
        {"ASCII fits either", "<meta charset=windows-1252><p>x</p>", "windows-1252",
         ByteCharset::Ascii, false},
        {"ASCII fits an unknown one", "<meta charset=iso-8859-15><p>x</p>", "iso-8859-15",
         ByteCharset::Ascii, false},
        {"unknown one with other bytes", "<meta charset=shift_jis>" + utf8Text, "shift_jis",
         ByteCharset::Utf8, true},
        {"byte order mark", "\xef\xbb\xbf<meta charset=utf-8><p>x</p>", "utf-8", ByteCharset::Utf8,
         false},
        {"UTF-16 bytes declared UTF-8",
         std::string("\xff\xfe<\0p\0>\0", 8) + std::string("<\0m\0e\0t\0a\0 \0c\0h\0a\0r\0s\0e\0t\0"
                                                           "=\0u\0t\0f\0-\0\x38\0>\0",
                                                           40),
         "utf-8", ByteCharset::Utf16, true},
        {"the first declaration counts", "<meta charset=utf-8><meta charset=latin1>" + utf8Text,
         "utf-8", ByteCharset::Utf8, false},
    };
    for (const auto& c : cases) {
        const PageAudit audit = auditPage(c.bytes);
        EXPECT_EQ(audit.declaredCharset, c.declared) << c.name;
        EXPECT_EQ(audit.byteCharset, c.actual) << c.name;
        EXPECT_EQ(audit.charsetMismatch, c.mismatch) << c.name;
    }
}

TEST(PageAudit, LangOfTheHtmlElementOnly) {
    const std::pair<std::string, std::string> cases[] = {
        {"<html lang=\"de-CH\"><body>x", "de-CH"},
        {"<!DOCTYPE html>\n<HTML LANG=en>", "en"},
        {"<html><body lang=\"fr\">", ""},
        {"<p lang=\"fr\"><html lang=\"it\">", "it"},
        {"<html xml:lang=\"nl\">", ""},
    };
    for (const auto& [page, lang] : cases)
        EXPECT_EQ(auditPage(page).lang, lang) << page;
}

// The verdict and first message are the window's tag test's own.
TEST(PageAudit, TagTestVerdictAndFirstMessage) {
    const PageAudit passing = auditPage("<title>Fine</title>\n<p>x</p>");
    EXPECT_TRUE(passing.tagTestPassed);
    EXPECT_TRUE(passing.tagTestMessage.starts_with("YOU DOCUMENT PASSED!"))
        << passing.tagTestMessage;

    const PageAudit failing = auditPage("<head>\n<title>Split\nover lines</title>\n");
    EXPECT_FALSE(failing.tagTestPassed);
    EXPECT_EQ(failing.tagTestMessage, "You need to put your TITLE tags on one line only!\rSee "
                                      "line 1 The Tag is <title>split   ...Please fix.");
    EXPECT_EQ(failing.title.text, "Split over lines");
}
