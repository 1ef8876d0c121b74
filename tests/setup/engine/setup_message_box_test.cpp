#include "setup/engine/message_catalogue.h"
#include "setup/engine/scripted_setup_interaction.h"
#include "setup/engine/setup_message_dlg.h"

#include <gtest/gtest.h>

using namespace setupkit;

namespace {

std::vector<std::string> captionsOf(const SetupMessageBox& box) {
    std::vector<std::string> captions;
    for (const MessageBoxButton& button : box.buttons)
        captions.push_back(button.caption);
    return captions;
}

class SetupMessageBoxTest : public ::testing::Test {
protected:
    ScriptedSetupInteraction interaction;
    MessageCatalogue catalogue{interaction, noLanguageLibrary()};
};

} // namespace

TEST_F(SetupMessageBoxTest, ButtonsInPlacementOrder) {
    struct Case {
        unsigned buttons;
        std::vector<std::string> captions;
    };
    const std::vector<Case> cases = {
        {mbAll | mbAbort | mbNo | mbYes, {"&Yes", "&No", "A&bort", "&All"}},
        {mbIgnore | mbRetry | mbAbort, {"A&bort", "&Retry", "&Ignore"}},
        {mbIgnore | mbAll, {"&All", "&Ignore"}},
        {0, {"&OK"}},
        {512, {"&OK"}}, // no known member is no button at all
        {mbHelp | mbCancel | mbOK, {"&OK", "&Cancel", "&Help"}},
        {511, {"&Yes", "&No", "&OK", "&Cancel", "A&bort", "&Retry", "&All", "&Ignore", "&Help"}},
    };
    for (const Case& c : cases) {
        const SetupMessageBox box = makeSetupMessageBox(catalogue, "text", mtWarning, c.buttons);
        EXPECT_EQ(captionsOf(box), c.captions) << "buttons " << c.buttons;
        for (size_t i = 0; i < box.buttons.size(); ++i)
            EXPECT_EQ(box.buttons[i].name, "B" + std::to_string(i + 1));
    }
}

TEST_F(SetupMessageBoxTest, ResultsOfTheButtons) {
    const SetupMessageBox box = makeSetupMessageBox(catalogue, "text", mtError, 511);
    std::vector<int> results;
    for (const MessageBoxButton& button : box.buttons)
        results.push_back(button.result);
    EXPECT_EQ(results, (std::vector<int>{6, 7, 1, 2, 3, 4, 8, 5, mrNone}));
}

TEST_F(SetupMessageBoxTest, TitleByKind) {
    EXPECT_EQ(makeSetupMessageBox(catalogue, "", mtWarning, 0).title, "Warning");
    EXPECT_EQ(makeSetupMessageBox(catalogue, "", mtError, 0).title, "Error");
    EXPECT_EQ(makeSetupMessageBox(catalogue, "", mtInformation, 0).title, "Information");
    EXPECT_EQ(makeSetupMessageBox(catalogue, "", mtConfirmation, 0).title, "Confirmation");
    EXPECT_EQ(makeSetupMessageBox(catalogue, "", 4, 0).title, "");
}

TEST(MemoLines, EveryLineBreakCountsAndAFinalOneAddsAnEmptyLine) {
    EXPECT_EQ(memoLines("\r\nOne\r\n"), (std::vector<std::string>{"", "One", ""}));
    EXPECT_EQ(memoLines("a\rb\nc\r\n\r\nd"), (std::vector<std::string>{"a", "b", "c", "", "d"}));
    EXPECT_EQ(memoLines(""), std::vector<std::string>{""});
}

TEST(SetupMessageBoxLayout, ShortMessageIsWidenedForItsButtons) {
    const MessageBoxMetrics metrics = MessageBoxMetrics::fixedPitch();
    // "Hello" is 35 pixels: narrower than three buttons (3 * 98 + 10).
    const MessageBoxGeometry geometry = layoutSetupMessageBox("\r\nHello\r\n", 3, metrics);
    EXPECT_EQ(geometry.memoTextWidth, 3 * 98 - 8);
    EXPECT_EQ(geometry.clientWidth, 286 + 52 + 10);
    EXPECT_EQ(geometry.width, 2 * 1 + 286 + 52 + 10);
    EXPECT_EQ(geometry.buttonLefts, (std::vector<int>{27, 125, 223})); // (348 - 294) / 2
    EXPECT_EQ(geometry.memoTextHeight, 3 * 15);
    EXPECT_EQ(geometry.height, 19 + 45 + 1 + 38 + 10);
    EXPECT_EQ(geometry.left, (1024 - geometry.width) / 2);
    EXPECT_EQ(geometry.top, (768 - geometry.height) / 2);
}

// Between the buttons' row less 8 and the row plus 10, the text once lost its end.
TEST(SetupMessageBoxLayout, AMessageAlmostAsWideAsItsButtonsKeepsItsWidth) {
    const MessageBoxMetrics metrics = MessageBoxMetrics::fixedPitch();
    for (const int characters : {41, 42, 43}) { // 287 to 301 pixels, three buttons: 286 to 304
        const std::string line(static_cast<size_t>(characters), 'x');
        const MessageBoxGeometry geometry =
            layoutSetupMessageBox("\r\n" + line + "\r\n", 3, metrics);
        EXPECT_EQ(geometry.memoTextWidth, characters * 7) << characters;
        EXPECT_EQ(geometry.clientWidth, characters * 7 + 52 + 10) << characters;
    }
}

TEST(SetupMessageBoxLayout, WideMessageKeepsItsWidth) {
    const MessageBoxMetrics metrics = MessageBoxMetrics::fixedPitch();
    const std::string line(60, 'x'); // 420 pixels
    const MessageBoxGeometry geometry =
        layoutSetupMessageBox("\r\nshort\r\n" + line + "\r\n", 1, metrics);
    EXPECT_EQ(geometry.memoTextWidth, 420);
    EXPECT_EQ(geometry.buttonLefts, std::vector<int>{(482 - 98) / 2});
    EXPECT_EQ(geometry.memoTextHeight, 4 * 15);
}

TEST(SetupMessageBoxLayout, LongMessageIsCappedAtEightyPercentOfTheScreen) {
    MessageBoxMetrics metrics = MessageBoxMetrics::fixedPitch();
    const std::string longLine(1000, 'x');
    MessageBoxGeometry geometry = layoutSetupMessageBox(longLine, 2, metrics);
    EXPECT_EQ(geometry.memoTextWidth, 819); // 80 % of 1024 = 819.2
    EXPECT_EQ(geometry.width, 2 + 819 + 62);

    metrics.fullScreenClientWidth = 1023; // 818.4
    EXPECT_EQ(layoutSetupMessageBox(longLine, 2, metrics).memoTextWidth, 818);
    metrics.fullScreenClientWidth = 1021; // 816.8
    EXPECT_EQ(layoutSetupMessageBox(longLine, 2, metrics).memoTextWidth, 817);

    std::string manyLines;
    for (int i = 0; i < 100; ++i)
        manyLines += "line\r\n";
    geometry = layoutSetupMessageBox(manyLines, 1, MessageBoxMetrics::fixedPitch());
    EXPECT_EQ(geometry.memoTextHeight, 599); // 80 % of 749 = 599.2
}

TEST(SetupMessageBoxLayout, ButtonsWiderThanTheCappedBoxStayCentred) {
    MessageBoxMetrics metrics = MessageBoxMetrics::fixedPitch();
    metrics.fullScreenClientWidth = 500; // cap 400, nine buttons need 882
    const MessageBoxGeometry geometry = layoutSetupMessageBox("x", 9, metrics);
    EXPECT_EQ(geometry.memoTextWidth, 400);
    EXPECT_EQ(geometry.buttonLefts.front(), (462 - 882) / 2); // truncated toward zero: -210
}

TEST_F(SetupMessageBoxTest, DialogGoesThroughTheSeamWithItsGeometry) {
    interaction.answer("Skip this file?", mrNo);
    EXPECT_EQ(SetupMessageDlg(catalogue, "Skip this file?", mtConfirmation, mbYes | mbNo, 17),
              mrNo);
    ASSERT_EQ(interaction.messages().size(), 1u);
    const RecordedMessage& shown = interaction.messages()[0];
    EXPECT_EQ(shown.title, "Confirmation");
    EXPECT_EQ(shown.buttons, mbYes | mbNo);
    ASSERT_TRUE(shown.geometry);
    EXPECT_EQ(*shown.geometry,
              layoutSetupMessageBox("\r\nSkip this file?\r\n", 2, MessageBoxMetrics::fixedPitch()));
    EXPECT_EQ(shown.answer, mrNo);
}
