// "Read Visible Text" in the window: the box as the user meets it, remembered between
// runs, and FULL AUTO GO ! on a German page reading what a visitor reads.

#include "window_fixture.h"

#include "keywords/visible_text.h"
#include "text/ascii_case.h"

#include <QCheckBox>
#include <QPushButton>
#include <QTest>

#include <algorithm>
#include <cctype>

using namespace lumora;
using editor::Answer;

namespace {

const std::vector<std::string> kGermanPage = {
    "<!DOCTYPE html>",
    "<html lang=\"de-DE\">",
    "<head><title>Gartenbau Gartenbau</title>",
    "<meta name=\"description\" content=\"Gartenbau im Sommer\">",
    "<script>var gartenbau = 'gartenbau gartenbau gartenbau';</script>",
    "<style>.gartenbau { font-family: helvetica }</style>",
    "</head><body>",
    "<h1>Rosen&nbsp;und Tulpen im Garten</h1>",
    "<p>Die Rose ist die K&ouml;nigin der Blumen. Rosen bl&uuml;hen im Sommer.</p>",
    "<p>Der Garten braucht Wasser und die Rosen brauchen Pflege.<br>Tulpen und Rosen "
    "sind bunt.</p>",
    "<!-- gartenbau gartenbau -->",
    "<img src=\"a.png\" alt=\"Gartenbau Gartenbau\">",
    "<p>Im Garten wachsen Rosen, Tulpen und Nelken. Nelken, Tulpen und Rosen im Garten.</p>",
    "</body></html>",
};

bool holdsWord(const std::string& text, const std::string& word) {
    const std::string lowered = asciiLowered(text);
    for (size_t at = lowered.find(word); at != std::string::npos; at = lowered.find(word, at + 1)) {
        const bool startsWord =
            at == 0 || !std::isalpha(static_cast<unsigned char>(lowered[at - 1]));
        const size_t end = at + word.size();
        const bool endsWord =
            end == lowered.size() || !std::isalpha(static_cast<unsigned char>(lowered[end]));
        if (startsWord && endsWord)
            return true;
    }
    return false;
}

} // namespace

class VisibleTextWindow : public lumora::testing::WindowTest {};

TEST_F(VisibleTextWindow, TheBoxIsOffAtFirstAndRememberedBetweenRuns) {
    startWindow();
    form->show();
    ASSERT_TRUE(form->CheckB_ReadVisible->isVisible());
    EXPECT_FALSE(form->CheckB_ReadVisible->isChecked());
    QTest::mouseClick(form->CheckB_ReadVisible, Qt::LeftButton);
    EXPECT_TRUE(form->CheckB_ReadVisible->isChecked());

    form.reset();
    startWindow();
    form->show();
    EXPECT_TRUE(form->CheckB_ReadVisible->isChecked());
    QTest::mouseClick(form->CheckB_ReadVisible, Qt::LeftButton);
    form.reset();
    startWindow();
    form->show();
    EXPECT_FALSE(form->CheckB_ReadVisible->isChecked());
}

TEST_F(VisibleTextWindow, FullAutoOnAGermanPageUsesItsVisibleTextFormsAndNoiseWords) {
    std::filesystem::create_directories(dir / "noise");
    lumora::testing::writeFile(dir / "noise" / "de.txt",
                               "# German function words\nder\ndie\nund\nim\nist\n");
    startWindow(std::vector<std::string>{"the", "and"});
    form->show();
    form->PreviewOff1Click();
    setPage(kGermanPage);
    form->TrackBar1->setValue(2);
    QTest::mouseClick(form->CheckB_ReadVisible, Qt::LeftButton);
    for (int i = 0; i < 3; ++i)
        ui.queueAnswer(Answer::Yes);
    QTest::mouseClick(form->BitBtn1FullAuto, Qt::LeftButton);
    ASSERT_TRUE(ui.allAnswersUsed());

    const text::Lines result = page();
    const auto keywordLine = std::find_if(result.begin(), result.end(), [](const std::string& l) {
        return l.find("<meta name=\"keywords\"") != std::string::npos;
    });
    ASSERT_NE(keywordLine, result.end());
    // Rose and Rosen are one keyword, shown as the form met most often.
    EXPECT_TRUE(holdsWord(*keywordLine, "rosen")) << *keywordLine;
    EXPECT_FALSE(holdsWord(*keywordLine, "rose")) << *keywordLine;
    EXPECT_TRUE(holdsWord(*keywordLine, "tulpen")) << *keywordLine;
    // Words only in the title, meta tags, script, style, comments and alt, and the
    // German noise words, are no keywords.
    for (const char* absent : {"gartenbau", "helvetica", "font", "der", "die", "und", "im"})
        EXPECT_FALSE(holdsWord(*keywordLine, absent)) << absent << " in " << *keywordLine;
    // The title and description proposals are sentences a visitor reads.
    const std::vector<std::string> texts = ui.texts();
    const auto title = std::find_if(texts.begin(), texts.end(), [](const std::string& t) {
        return t.starts_with("Do you like this TITLE below ?");
    });
    ASSERT_NE(title, texts.end());
    EXPECT_FALSE(holdsWord(*title, "gartenbau")) << *title;
    EXPECT_FALSE(holdsWord(*title, "nbsp")) << *title;
    std::string visible;
    for (const std::string& line : keywords::readVisibleText(kGermanPage).lines)
        visible += line + " ";
    const std::string proposal = title->substr(title->find("\r\r") + 2);
    size_t words = 0;
    for (size_t at = 0; at < proposal.size();) {
        const size_t end = std::min(proposal.find(' ', at), proposal.size());
        if (end > at) {
            ++words;
            EXPECT_TRUE(holdsWord(visible, asciiLowered(proposal.substr(at, end - at))))
                << proposal.substr(at, end - at);
        }
        at = end + 1;
    }
    EXPECT_GT(words, 3u);
}
