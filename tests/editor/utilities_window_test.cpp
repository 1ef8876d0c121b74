// Keyword-tag check, compressor and character count on the real window.

#include "window_fixture.h"

#include "editor/editor_positions.h"

#include <QRadioButton>
#include <QTextCursor>

using namespace lumora;
using editor::Answer;
using editor::Selection;

class UtilitiesWindow : public lumora::testing::WindowTest {
protected:
    void SetUp() override {
        startWindow();
        form->PreviewOff1Click();
    }
    Selection selection() const { return editor::pageSelection(*form->RichEdit); }
};

TEST_F(UtilitiesWindow, KeywordTagIsSelectedAsWrittenInThePage) {
    setPage({"<html>", "<META name = Keywords content=\"a, b\">"});
    editor::selectPageRange(*form->RichEdit, {20, 0});
    form->CheckTitle1Click();
    EXPECT_EQ(ui.texts(), std::vector<std::string>{"This is your Key Word Meta Tag."});
    EXPECT_EQ(selection(), (Selection{9, 20}));
    EXPECT_EQ(form->RichEdit->textCursor().selectedText().toStdString(), "META name = Keywords");
    EXPECT_EQ(page()[1], "<META name = Keywords content=\"a, b\">");
}

TEST_F(UtilitiesWindow, KeywordTagAtTheFirstCharacterIsFound) {
    setPage({"meta name=\"keywords\" content=\"x\""});
    form->CheckTitle1Click();
    EXPECT_EQ(ui.texts(), std::vector<std::string>{"This is your Key Word Meta Tag."});
    EXPECT_EQ(selection(), (Selection{0, 19}));
}

TEST_F(UtilitiesWindow, PageWithoutKeywordTagGetsTheQuestion) {
    const std::string question = "You should add Meta Tags to this web page! \r\rRun the Key Word "
                                 "finder in auto mode to see how its done.";
    setPage({"<meta name =keywords content=\"a\">"});
    ui.queueAnswer(Answer::Cancel);
    form->CheckTitle1Click();
    EXPECT_EQ(ui.texts(), (std::vector<std::string>{question, "Key Word Meta Tag not added"}));

    ui.clearRecords();
    ui.queueAnswer(Answer::No);
    form->CheckTitle1Click();
    EXPECT_EQ(ui.texts(), std::vector<std::string>{question});
    EXPECT_EQ(form->ListBox2Count(), 0u);
    EXPECT_EQ(selection(), (Selection{0, 0}));
}

TEST_F(UtilitiesWindow, YesRunsTheKeywordScan) {
    // Manual mode, so that the scan stops after listing the keywords.
    form->RadioB_NOauto->setChecked(true);
    form->RadioB_NOautoClick();
    form->TagsPassed = true;
    setPage({"<html><body>", "garden garden garden flowers flowers flowers", "</body></html>"});
    ui.queueAnswer(Answer::Yes);
    form->CheckTitle1Click();
    EXPECT_GT(form->ListBox2Count(), 0u);
    EXPECT_TRUE(ui.allAnswersUsed());
}

TEST_F(UtilitiesWindow, CompressorDropsEmptyLinesAndTrailingBlanksAsOneChange) {
    std::vector<std::string> original = {"<html>"};
    for (int i = 0; i < 10; ++i)
        original.push_back("");
    const std::vector<std::string> rest = {"  <body>   ", std::string(25, ' '), "\t",
                                           "  <p>a  b</p>\t ", "</html>"};
    original.insert(original.end(), rest.begin(), rest.end());
    setPage(original);
    form->Modified = false;
    form->CompressHTML1Click();
    EXPECT_EQ(page(), (text::Lines{"<html>", "  <body>", "  <p>a  b</p>", "</html>"}));
    EXPECT_TRUE(form->Modified);
    form->Undo2Click();
    EXPECT_EQ(page(), original);
}

TEST_F(UtilitiesWindow, CompressorLeavesACompactPageUntouched) {
    setPage({"<html>", "  <body>", "</html>"});
    form->Modified = false;
    form->CompressHTML1Click();
    EXPECT_EQ(page(), (text::Lines{"<html>", "  <body>", "</html>"}));
    EXPECT_FALSE(form->Modified);
}

TEST_F(UtilitiesWindow, CharCountCountsTwoPerLineBreak) {
    setPage({"ab", "c"});
    form->Charcount1Click();
    setPage({"\xC3\xA9t\xC3\xA9"});
    form->Charcount1Click();
    EXPECT_EQ(ui.texts(),
              (std::vector<std::string>{"The text has 5 characters", "The text has 3 characters"}));
}
