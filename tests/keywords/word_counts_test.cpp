#include "keywords/word_counts.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <random>

using namespace lumora::keywords;

namespace {

std::vector<std::string> scan(const std::vector<std::string>& lines, int sensitivity,
                              const std::vector<std::string>& noise = {}) {
    WordCounts counts{NoiseFilter(noise)};
    counts.addLines(lines);
    return counts.keywords(sensitivity);
}

std::vector<std::string> occurrences(const std::vector<std::string>& lines,
                                     const std::vector<std::string>& noise = {}) {
    WordCounts counts{NoiseFilter(noise)};
    counts.addLines(lines);
    std::vector<std::string> out;
    for (size_t i = 0; i < counts.occurrenceCount(); ++i)
        out.emplace_back(counts.occurrence(i));
    return out;
}

// The scanner's reading pass exactly as described to users: fold A-Z, blank out
// the separators, trim, cut at blanks, trim each word, drop short and noise words.
std::vector<std::string> naiveOccurrences(const std::vector<std::string>& lines,
                                          const std::vector<std::string>& noise) {
    auto trim = [](std::string s) {
        while (!s.empty() && static_cast<unsigned char>(s.front()) <= 32)
            s.erase(s.begin());
        while (!s.empty() && static_cast<unsigned char>(s.back()) <= 32)
            s.pop_back();
        return s;
    };
    std::vector<std::string> out;
    for (const auto& original : lines) {
        std::string line = original;
        for (char& c : line)
            if (c >= 'A' && c <= 'Z')
                c = static_cast<char>(c + 32);
        if (line.find("<title>") != std::string::npos ||
            original.find("<!--") != std::string::npos ||
            line.find("<meta name=") != std::string::npos)
            continue;
        for (char& c : line)
            if (kSeparators.find(c) != std::string_view::npos)
                c = ' ';
        std::string text = trim(line);
        while (!text.empty()) {
            const size_t blank = text.find(' ');
            std::string word = trim(blank == std::string::npos ? text : text.substr(0, blank));
            text = trim(text.substr(word.size()));
            size_t chars = 0;
            for (char c : word)
                chars += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
            const bool isNoise = std::any_of(noise.begin(), noise.end(),
                                             [&](const std::string& e) { return trim(e) == word; });
            if (chars >= 3 && !isNoise)
                out.push_back(word);
        }
    }
    return out;
}

} // namespace

TEST(WordCounts, SensitivityZeroActsLikeOne) {
    const std::vector<std::string> page = {"apple banana apple cherry"};
    EXPECT_EQ(scan(page, 0), scan(page, 1));
    EXPECT_EQ(scan(page, 1), (std::vector<std::string>{"apple", "banana", "cherry"}));
    EXPECT_EQ(scan(page, 2), (std::vector<std::string>{"apple"}));
}

TEST(WordCounts, SeparatorsDigitsAndShortWords) {
    EXPECT_EQ(occurrences({"web-site mp3player an ox <font face=\"arial\">&nbsp;"}),
              (std::vector<std::string>{"web", "site", "player", "font", "face", "arial", "nbsp"}));
}

TEST(WordCounts, TabInsideAWordKeepsItWhole) {
    EXPECT_EQ(occurrences({"\tbig\tdeal \x01here\x02"}),
              (std::vector<std::string>{"big\tdeal", "here"}));
}

TEST(WordCounts, SkippedLines) {
    EXPECT_TRUE(lineYieldsNoWords("x <TITLE>words</TITLE>"));
    EXPECT_TRUE(lineYieldsNoWords("text <!-- comment"));
    EXPECT_TRUE(lineYieldsNoWords("<Meta Name=\"keywords\" content=\"many words\">"));
    EXPECT_FALSE(lineYieldsNoWords("<meta http-equiv=\"refresh\"> <titles>"));
    EXPECT_TRUE(
        occurrences({"<title>Alpha Beta</title>", "<!-- gamma delta", "<meta name=x epsilon"})
            .empty());
}

TEST(WordCounts, NoiseEntriesAreTrimmedAndCaseSensitive) {
    const std::vector<std::string> noise = {" the\t", "The", "Mail", "e-mail"};
    EXPECT_EQ(occurrences({"The THE the e-mail Mail"}, noise),
              (std::vector<std::string>{"mail", "mail"}));
    EXPECT_EQ(occurrences({"The e-mail"}, {"mail", "the"}), std::vector<std::string>{});
}

TEST(WordCounts, AccentedCapitalCountsApartAndAppearsOnce) {
    // "\xC3\x89" is a capital E with acute accent, which is never folded.
    const std::vector<std::string> page = {"\xC3\x89t\xC3\xA9 \xC3\xA9t\xC3\xA9 \xC3\x89t\xC3\xA9"};
    EXPECT_EQ(scan(page, 2), (std::vector<std::string>{"\xC3\x89t\xC3\xA9"}));
    EXPECT_EQ(scan(page, 1), (std::vector<std::string>{"\xC3\x89t\xC3\xA9"}));
    const std::vector<std::string> lowerFirst = {"\xC3\xA9t\xC3\xA9 \xC3\x89t\xC3\xA9"};
    EXPECT_EQ(scan(lowerFirst, 1), (std::vector<std::string>{"\xC3\xA9t\xC3\xA9"}));
}

TEST(WordCounts, LengthCountsCharactersNotBytes) {
    EXPECT_EQ(occurrences({"\xC3\xA9t\xC3\xA9 \xC3\xA9t"}),
              (std::vector<std::string>{"\xC3\xA9t\xC3\xA9"}));
}

TEST(WordCounts, MatchesTheWordByWordReadingOnRandomText) {
    std::mt19937 random(7);
    const std::vector<std::string> pieces = {"Alpha",
                                             "beta",
                                             "GAMMA",
                                             "de",
                                             "x",
                                             "<title>",
                                             "<!--",
                                             "<meta name=",
                                             " ",
                                             "  ",
                                             "\t",
                                             "-",
                                             "9",
                                             ".",
                                             "&amp;",
                                             "\xC3\x89l\xC3\xA8ve",
                                             "\x01",
                                             "<b>",
                                             "href=\"a.htm\""};
    const std::vector<std::string> noise = {"beta", " gamma ", "Alpha"};
    for (int round = 0; round < 50; ++round) {
        std::vector<std::string> lines(20);
        for (auto& line : lines)
            for (int k = 0; k < 12; ++k)
                line += pieces[random() % pieces.size()];
        const auto expected = naiveOccurrences(lines, noise);
        ASSERT_EQ(occurrences(lines, noise), expected) << "round " << round;

        std::map<std::string, int> counts;
        for (const auto& w : expected)
            ++counts[w];
        for (int s : {1, 3, 8}) {
            std::vector<std::string> naive;
            for (const auto& [word, n] : counts)
                if (n >= s)
                    naive.push_back(word);
            auto got = scan(lines, s, noise);
            std::sort(got.begin(), got.end());
            EXPECT_EQ(got, naive) << "round " << round << " sensitivity " << s;
        }
    }
}

// Long words (past one chunk, two chunks and a whole block), control characters,
// near misses of the skipping tags and enough lines for several batches and progress
// reports: the same words as the word-by-word reading, line by line or all at once.
TEST(WordCounts, MatchesTheWordByWordReadingOnLongWordsAndManyLines) {
    std::mt19937 random(11);
    auto letters = [](size_t n, char first) {
        std::string word;
        for (size_t k = 0; k < n; ++k)
            word += static_cast<char>(first + k % 26);
        return word;
    };
    const std::vector<std::string> pieces = {letters(15, 'a'),
                                             letters(16, 'A'),
                                             letters(17, 'a'),
                                             letters(40, 'B'),
                                             letters(63, 'a'),
                                             letters(64, 'a'),
                                             letters(65, 'C'),
                                             letters(130, 'a'),
                                             "\xC3\xA9" + letters(20, 'a'),
                                             "Word",
                                             "word",
                                             "ab",
                                             "a\x01"
                                             "b",
                                             "\x01\x02",
                                             "abc\x01",
                                             "\x01xyz",
                                             "\xC3\xA9t",
                                             "\xC3\xA9t\xC3\xA9",
                                             std::string("x\0y", 3),
                                             " ",
                                             "\t",
                                             "-",
                                             "7",
                                             "<TITLE>",
                                             "<Meta Name=",
                                             "<!--",
                                             "<td>",
                                             "<m",
                                             "<t",
                                             "<!",
                                             "<",
                                             "<meta",
                                             " name="};
    const std::vector<std::string> noise = {"word", letters(17, 'a')};
    for (int round = 0; round < 4; ++round) {
        std::vector<std::string> lines(600);
        for (auto& line : lines)
            for (int k = static_cast<int>(random() % 60); k > 0; --k)
                line += pieces[random() % pieces.size()];
        const auto expected = naiveOccurrences(lines, noise);

        // In one pass, and in two halves at once joined afterwards.
        WordCounts all{NoiseFilter(noise)};
        all.setSplitFrom(SIZE_MAX);
        std::vector<size_t> reports;
        all.addLines(lines, [&](size_t done) { reports.push_back(done); });
        WordCounts halves{NoiseFilter(noise)};
        halves.setSplitFrom(0);
        std::vector<size_t> halvesReports;
        halves.addLines(lines, [&](size_t done) { halvesReports.push_back(done); });
        WordCounts single{NoiseFilter(noise)};
        for (const auto& line : lines)
            single.addLine(line);
        for (const WordCounts* counts : {&all, &halves, &single}) {
            std::vector<std::string> got;
            for (size_t i = 0; i < counts->occurrenceCount(); ++i)
                got.emplace_back(counts->occurrence(i));
            ASSERT_EQ(got, expected) << "round " << round;
        }
        EXPECT_EQ(reports, (std::vector<size_t>{0, 256, 512, 600}));
        // The halves report for the whole page, as far as the first half has come.
        ASSERT_GE(halvesReports.size(), 3u);
        EXPECT_EQ(halvesReports.front(), 0u);
        EXPECT_EQ(halvesReports.back(), 600u);
        EXPECT_TRUE(std::is_sorted(halvesReports.begin(), halvesReports.end()));
        EXPECT_EQ(halves.keywords(2), all.keywords(2)) << "round " << round;

        std::map<std::string, int> counts;
        for (const auto& w : expected)
            ++counts[w];
        std::vector<std::string> naive;
        for (const auto& [word, n] : counts)
            if (n >= 5)
                naive.push_back(word);
        auto got = all.keywords(5);
        std::sort(got.begin(), got.end());
        EXPECT_EQ(got, naive) << "round " << round;
    }
}

// Past 65535 distinct words the ids no longer fit in two bytes: the occurrences
// recorded before and after keep naming the right words.
TEST(WordCounts, ManyDistinctWordsKeepTheirOccurrences) {
    auto nameOf = [](size_t n) {
        std::string word = "w";
        for (int k = 0; k < 4; ++k, n /= 26)
            word += static_cast<char>('a' + n % 26);
        return word;
    };
    std::vector<std::string> lines;
    std::vector<std::string> expected;
    for (size_t n = 0; n < 70000; n += 10) {
        std::string line;
        for (size_t k = n; k < n + 10; ++k) {
            line += nameOf(k) + " ";
            expected.push_back(nameOf(k));
        }
        // An early word again, so that old ids keep occurring after the change.
        line += nameOf(3);
        expected.push_back(nameOf(3));
        lines.push_back(line);
    }
    // Counted in two halves, each half's ids fit in two bytes and the joined ones not.
    for (const size_t splitFrom : {SIZE_MAX, size_t{0}}) {
        WordCounts counts{NoiseFilter()};
        counts.setSplitFrom(splitFrom);
        counts.addLines(lines);
        ASSERT_EQ(counts.occurrenceCount(), expected.size());
        for (size_t i = 0; i < expected.size(); ++i)
            ASSERT_EQ(counts.occurrence(i), expected[i]) << i << " split from " << splitFrom;
        EXPECT_EQ(counts.keywords(2), (std::vector<std::string>{nameOf(3)}));
    }
}

// Words whose unusual bytes (a control character to trim, a character of two bytes)
// fall just past a 64-byte block of plain text, at every offset.
TEST(WordCounts, UnusualBytesJustPastABlock) {
    const std::vector<std::string> words = {"abc\x01", "\xC3\xA9t", "xy\xC3\xA9", "\x01pq",
                                            "ab\x02"};
    for (const auto& word : words) {
        for (size_t offset = 40; offset < 70; ++offset) {
            const std::vector<std::string> lines = {std::string(offset, ' ') + word + " tail"};
            EXPECT_EQ(occurrences(lines), naiveOccurrences(lines, {}))
                << "offset " << offset << " word " << word;
        }
    }
}
