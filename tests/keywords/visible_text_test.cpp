// The visible-text reading: what a visitor reads of a page, word forms grouped by
// stem, a language's noise list, and the scan's sensitivity steering.

#include "keywords/language_noise.h"
#include "keywords/sensitivity_adjustment.h"
#include "keywords/visible_text.h"
#include "keywords/word_forms.h"

#include <gtest/gtest.h>

using namespace lumora::keywords;
using Lines = std::vector<std::string>;

TEST(VisibleText, KeepsWhatAVisitorReadsOneLinePerBlock) {
    const struct {
        const char* name;
        Lines page;
        Lines visible;
    } cases[] = {
        {"script and style words go",
         {"<p>Garden <script>var tulip = '<p>tulip</p>';</script>roses",
          "<style>p { font-family: tulip }</style><SCRIPT type=x>tulip</SCRIPT >grow</p>"},
         {"Garden roses grow"}},
        {"named and numeric references, a no-break space is a space",
         {"<p>Fish&nbsp;&amp;&#160;chips &lt;b&gt; caf&eacute; &#x41;&#66; &copy 5&times;2 &bogus; "
          "&#150;</p>"},
         {"Fish & chips <b> caf\xc3\xa9 AB \xc2\xa9 5\xc3\x97"
          "2 &bogus; \xe2\x80\x93"}},
        {"title, meta description and alt are not read",
         {"<html><head><title>Tulip title</title>",
          "<meta name=\"description\" content=\"Tulip description\"></head>",
          "<body><img src=a.png alt=\"Tulip picture\">Roses</body></html>"},
         {"Roses"}},
        {"br and blocks end lines, inline tags do not",
         {"<div>one <b>two</b>", "three<br>four<BR/>five</div><p>six</p>seven<li>eight",
          "<td>nine</td><td>ten</td>"},
         {"one two three", "four", "five", "six", "seven", "eight", "nine", "ten"}},
        {"comments, templates and markup go",
         {"<p>before<!-- tulip", "tulip --> after <!--> kept <!---> kept", "</p>",
          "<template><p>tulip <template>tulip</template> tulip</p></template><p>end <? pi ?>"
          "<!DOCTYPE html></p>"},
         {"before after kept kept", "end"}},
        {"source line breaks are spaces except in pre",
         {"<p>one", "two</p><pre>three", "four</pre>"},
         {"one two", "three", "four"}},
        {"a lone less-than sign and ampersand are text", {"<p>a < b & c</p>"}, {"a < b & c"}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(readVisibleText(c.page).lines, c.visible) << c.name;
}

TEST(VisibleText, LanguageIsThePrimaryTagOfHtmlLang) {
    EXPECT_EQ(readVisibleText({"<!DOCTYPE html><HTML class=x LANG='de-AT'>"}).language, "de");
    EXPECT_EQ(readVisibleText({"<html><p lang=fr>x</p>"}).language, "");
    EXPECT_EQ(readingLanguage("de", ""), "de");
    EXPECT_EQ(readingLanguage("de", "FR"), "fr");
    EXPECT_EQ(readingLanguage("../x", ""), "en");
    EXPECT_EQ(noiseListPath("nl"), "noise/nl.txt");
    EXPECT_EQ(noiseListWords("# German\r\n der \n\ndie\n#das\n"), (Lines{"der", "die"}));
}

TEST(WordForms, KeywordsHoldOnlyLettersDigitsHyphensAndApostrophes) {
    EXPECT_EQ(keywordCharacters("{font: helvetica} php?session=1 don't web-site"),
              " font  helvetica  php session 1 don't web-site");
    EXPECT_EQ(keywordCharacters(
                  "\xe2\x80\x9cK\xc3\xb6nigin\xe2\x80\x9d\xc2\xa0\xc3\x97x\xf0\x9f\x8c\xb9"),
              "   K\xc3\xb6nigin       x    ");
}

TEST(WordForms, WordsHoldingDigitsBecomeBlanksOfTheirLength) {
    const struct {
        std::string line, expected;
    } cases[] = {
        {"V8 inspector for amd64, sha256 and 2024.", "   inspector for      ,        and     ."},
        {"encode_utf8(x) CARD32 don't x86-64 r", "           (x)        don't        r"},
        {"K\xc3\xb6nig2 K\xc3\xb6nig", "        K\xc3\xb6nig"},
    };
    for (const auto& c : cases) {
        std::string line = c.line;
        blankWordsHoldingDigits(line);
        EXPECT_EQ(line, c.expected) << c.line;
    }
}

TEST(WordForms, FormsOfAWordCountAsOneShownAsTheMostFrequent) {
    const struct {
        const char* language;
        Lines lines;
        int sensitivity;
        Lines keywords;
    } cases[] = {
        {"en",
         {"roses rose roses garden gardens gardening gardens tulip"},
         3,
         {"gardens", "roses"}},
        {"en", {"rose roses rose roses"}, 4, {"rose"}}, // equal counts: the first met
        {"de", {"rosen rose rosen garten gärten tulpe"}, 3, {"rosen"}},
        {"xx", {"roses rose roses"}, 3, {"roses"}}, // an unknown language stems as English
    };
    for (const auto& c : cases) {
        WordCounts counts{NoiseFilter()};
        counts.addLines(c.lines);
        const Stemmer stemmer(c.language);
        EXPECT_EQ(groupedKeywords(counts, c.sensitivity, stemmer), c.keywords) << c.lines[0];
    }
}

TEST(SensitivityAdjustment, StepsUntilTheCountFitsOrComesBack) {
    const struct {
        int start;
        std::vector<size_t> counts; // what each scan finds
        std::vector<int> positions; // where the track bar is set
        size_t messages;
        size_t scans;
    } cases[] = {
        {5, {7}, {}, 0, 1},
        {24, {12, 12}, {25, 25}, 2, 2},    // at 25 no further scan
        {1, {2}, {0}, 1, 1},               // down to 0: no further scan
        {6, {3, 5}, {4}, 1, 2},            // lowered by two, then fits
        {8, {12, 2, 12}, {9, 7, 8}, 3, 3}, // back at 8: the adjusting ends
    };
    for (const auto& c : cases) {
        int position = c.start;
        size_t scans = 0;
        std::vector<int> positions;
        std::vector<std::string> messages;
        const auto settled = adjustSensitivity({
            [&]() -> std::optional<ScanRound> {
                return ScanRound{position, c.counts.at(scans++)};
            },
            [&](const std::string& text) { messages.push_back(text); },
            [&](int to) { positions.push_back(position = to); },
        });
        ASSERT_TRUE(settled);
        EXPECT_EQ(scans, c.scans) << c.start;
        EXPECT_EQ(positions, c.positions) << c.start;
        EXPECT_EQ(messages.size(), c.messages) << c.start;
    }
    EXPECT_EQ(tooManyKeywordsText(12, 25),
              "TO MANY KEYWORDS! Found 12 keywords.\r\rI will RASIE the "
              "Sensitivity to 26 and try again to find LESS Keywords.");
    EXPECT_EQ(tooFewKeywordsText(2, 1), "LOW ON KEYWORDS! Found 2 keywords.\r\rI will LOWER the "
                                        "Sensitivity to -1 and try again to find MORE Keywords.");
    EXPECT_FALSE(adjustSensitivity({[] { return std::optional<ScanRound>(); },
                                    [](const std::string&) { FAIL(); }, [](int) { FAIL(); }}));
}
