#include "window_fixture.h"

#include "editor/logic/sample_page.h"
#include "text/ascii_case.h"

#include <QCheckBox>
#include <QListWidget>
#include <QRadioButton>
#include <QTextDocument>

#include <algorithm>

using namespace lumora;
using editor::Answer;

namespace {

bool contains(const std::string& s, const std::string& part) {
    return s.find(part) != std::string::npos;
}

size_t indexOf(const text::Lines& lines, const std::string& part) {
    for (size_t i = 0; i < lines.size(); ++i)
        if (contains(lines[i], part))
            return i;
    return lines.size();
}

} // namespace

class TagChainWindow : public lumora::testing::WindowTest {
protected:
    // Answers every question with Yes and records the keywords of the scan.
    void runFullAuto(int yesAnswers) {
        for (int i = 0; i < yesAnswers; ++i)
            ui.queueAnswer(Answer::Yes);
        form->Button5Click();
    }
};

TEST_F(TagChainWindow, FullAutoGoOnTheSamplePageWritesEveryTagAsOneUndoableEdit) {
    startWindow(std::vector<std::string>{"the", "and", "your", "for", "our", "you", "its", "with",
                                         "that", "from", "center", "nbsp"});
    runFullAuto(3); // the title, the description, the builder's confirmation
    ASSERT_TRUE(ui.allAnswersUsed());
    const std::vector<std::string> texts = ui.texts();
    ASSERT_EQ(texts.size(), 6u);
    EXPECT_EQ(texts[1], "Now we will pick a TITLE for your web page");
    EXPECT_EQ(texts[3], "Now we will pick a DESCRIPTION for your web page");
    EXPECT_EQ(texts[5],
              "You already have Meta Tags on this web page. \r\rDo you want to replace them now?");
    ASSERT_NE(texts[2].find("\r\r "), std::string::npos);
    const std::string title = texts[2].substr(texts[2].find("\r\r ") + 3);

    const text::Lines result = page();
    EXPECT_EQ(result[0], "<html>");
    EXPECT_EQ(result[1], "<head>");
    EXPECT_EQ(result[2], "<title>!!! " + std::string(text::trimControls(title)) + " !!!</title>");
    EXPECT_TRUE(contains(result[3], "<meta name=\"description\" content=\" "));
    EXPECT_TRUE(contains(result[4], "<meta name=\"keywords\" content=\""));
    EXPECT_TRUE(contains(result[5], "Lumora V.01.01 -->"));
    EXPECT_EQ(result[6], "</head>");
    // The old title, description and keywords lines are gone.
    EXPECT_EQ(indexOf(result, "Help Me Find A Good Title"), result.size());
    EXPECT_EQ(indexOf(result, "I am not sure what goes here"), result.size());
    // The footer stands before </body>, and one blank line ends the page.
    const size_t body = indexOf(result, "</body>");
    EXPECT_TRUE(contains(result[body - 1], "Meta Tags By <a href="));
    EXPECT_TRUE(contains(result[body - 2], "<!-- Dear Webmaster"));
    EXPECT_EQ(result.back(), " ");
    EXPECT_FALSE(form->TagsPassed);
    EXPECT_TRUE(form->Memo6.empty());
    EXPECT_EQ(form->RichEdit->textCursor().position(), 0);

    form->RichEdit->document()->undo();
    EXPECT_EQ(page(), editor::samplePage());
}

TEST_F(TagChainWindow, CancelAtTheTitleStopsEverything) {
    startWindow(std::vector<std::string>{"the", "and", "your", "for", "our"});
    ui.queueAnswer(Answer::Cancel);
    form->Button5Click();
    EXPECT_TRUE(ui.allAnswersUsed());
    EXPECT_EQ(page(), editor::samplePage());
    EXPECT_TRUE(form->Edit1TileStorage.empty());
    EXPECT_FALSE(form->Memo6.empty()); // the builder never ran
}

TEST_F(TagChainWindow, WithoutTitleTheScanRunsTheBuilderDirectly) {
    startWindow(std::vector<std::string>{"the", "and", "your", "for", "our"});
    form->CheckBxDOtitle->setChecked(false);
    ui.queueAnswer(Answer::Yes);
    form->Button5Click();
    EXPECT_TRUE(ui.allAnswersUsed());
    EXPECT_EQ(ui.texts().back(),
              "You already have Meta Tags on this web page. \r\rDo you want to replace them now?");
    EXPECT_EQ(page()[2], "<title>Help Me Find A Good Title And Keywords To Help With My Search "
                         "Engine Ranking</title>");
    EXPECT_TRUE(contains(page().back(), " "));
}

TEST_F(TagChainWindow, ManualStepsRunEachCommandOnItsOwn) {
    startWindow(std::vector<std::string>{"the", "and", "your", "for", "our"});
    form->RadioB_NOauto->click();
    form->Button5Click();
    ASSERT_GT(form->ListBox3->count(), 2);
    // The chosen list is filled by hand; the title finder walks it.
    form->ListBox3->setCurrentRow(0);
    form->ListBox3DblClick();
    form->ListBox3->setCurrentRow(1, QItemSelectionModel::Toggle);
    form->ListBox3DblClick();
    form->ListBox3->setCurrentRow(2, QItemSelectionModel::Toggle);
    form->ListBox3DblClick();
    ui.queueAnswer(Answer::Yes);
    ui.queueAnswer(Answer::Cancel); // the description that follows
    form->SpeedButton1Click();
    EXPECT_TRUE(ui.allAnswersUsed());
    EXPECT_FALSE(form->Edit1TileStorage.empty());
    EXPECT_EQ(page(), editor::samplePage()); // finders never touch the page
}
