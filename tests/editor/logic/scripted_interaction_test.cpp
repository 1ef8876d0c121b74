#include "editor/logic/scripted_interaction.h"
#include "unused_script_check.h"

#include <gtest/gtest.h>

namespace lumora::editor {
namespace {

// What a script held but the run never used fails the test, item by item.
TEST(ScriptedInteraction, ItemsNeverUsedAreReportedWhenDropped) {
    testing::CapturedUnusedScripts captured;
    {
        ScriptedInteraction ui;
        ui.queueAnswer(Answer::Yes);
        ui.queueFile("/tmp/page.htm");
        ui.queueFile(std::nullopt);
        ui.queueFont(FontDescription{"Liberation Sans", 10},
                     FontDescription{"Liberation Serif", 12});
        ui.queueAnswer(Answer::Cancel);
        EXPECT_EQ(ui.ask("Save changes?", QuestionButtons::YesNoCancel), Answer::Yes);
    }
    {
        ScriptedPump pump;
        pump.at(1, [] {});
        pump.at(3, [] {});
        pump.processEvents();
        pump.processEvents();
    }
    {
        ScriptedInteraction allUsed;
        allUsed.queueAnswer(Answer::No);
        allUsed.ask("Replace?", QuestionButtons::YesNo);
        ScriptedPump allReached;
        allReached.at(1, [] {});
        allReached.processEvents();
    }
    ASSERT_EQ(captured.reports.size(), 2u);
    EXPECT_EQ(captured.reports[0],
              "the scripted interaction ends with 4 scripted item(s) never used:\n"
              "  file dialog: \"/tmp/page.htm\"\n"
              "  file dialog: Cancel\n"
              "  font dialog: \"Liberation Sans\" 10 pt (Apply \"Liberation Serif\" 12 pt)\n"
              "  answer Cancel");
    EXPECT_EQ(captured.reports[1], "the scripted pump ends with 1 scripted item(s) never used:\n"
                                   "  action at call 3 (the pump ran 2 times)");
}

} // namespace
} // namespace lumora::editor
