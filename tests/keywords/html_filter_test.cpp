// The shipped noise-word list: every entry must be able to match a scanned word,
// and the list must hold the words that would otherwise crowd out real keywords.

#include "temp_dir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

namespace {

// The characters the scanner turns into blanks; no word it yields contains one.
constexpr std::string_view kSeparators = ".~<>=/-,;:()!\"#$%&'0123456789";

// The checked-out list. Where the test runs without being told the source directory,
// this file's own path leads to it.
std::filesystem::path shippedFile() {
    const auto configured = lumora::testing::sourceDir() / "data/html_filter.txt";
    if (std::filesystem::exists(configured))
        return configured;
    return std::filesystem::path(__FILE__).parent_path().parent_path().parent_path() /
           "data/html_filter.txt";
}

std::vector<std::string> shippedEntries() {
    const std::string bytes = lumora::testing::readFile(shippedFile());
    std::vector<std::string> entries;
    std::istringstream in(bytes);
    for (std::string line; std::getline(in, line);)
        entries.push_back(line);
    return entries;
}

TEST(HtmlFilterFile, IsPlainAsciiWithLineFeedEnds) {
    const std::string bytes = lumora::testing::readFile(shippedFile());
    ASSERT_FALSE(bytes.empty());
    EXPECT_EQ(bytes.back(), '\n');
    for (unsigned char c : bytes) {
        EXPECT_NE(c, '\r');
        EXPECT_LT(c, 0x80) << "non-ASCII byte " << int(c);
    }
}

TEST(HtmlFilterFile, EveryEntryCanMatchAScannedWord) {
    const auto entries = shippedEntries();
    ASSERT_GE(entries.size(), 300u);
    for (const std::string& entry : entries) {
        SCOPED_TRACE(entry);
        EXPECT_GE(entry.size(), 3u);
        EXPECT_EQ(entry.find_first_of(kSeparators), std::string::npos);
        for (unsigned char c : entry) {
            EXPECT_FALSE(c >= 'A' && c <= 'Z') << "upper case";
            EXPECT_GT(c, 32) << "blank or control character";
        }
    }
}

TEST(HtmlFilterFile, HasNoDuplicates) {
    const auto entries = shippedEntries();
    std::set<std::string> seen;
    for (const std::string& entry : entries)
        EXPECT_TRUE(seen.insert(entry).second) << "duplicate: " << entry;
}

TEST(HtmlFilterFile, HoldsFunctionWordsAndHtmlVocabulary) {
    const auto entries = shippedEntries();
    const std::set<std::string> present(entries.begin(), entries.end());
    for (const char* word :
         {"the",   "and",    "with",  "href",  "src",    "nbsp",      "amp",
          "copy",  "center", "font",  "face",  "arial",  "helvetica", "div",
          "span",  "table",  "img",   "body",  "html",   "bgcolor",   "cellpadding",
          "color", "size",   "white", "black", "_blank", "http",      "www"})
        EXPECT_TRUE(present.contains(word)) << word;
}

} // namespace
