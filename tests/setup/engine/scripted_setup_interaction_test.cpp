#include "setup/engine/message_catalogue.h"
#include "setup/engine/scripted_setup_interaction.h"
#include "setup/engine/setup_message_dlg.h"
#include "unused_script_check.h"

#include <gtest/gtest.h>

using namespace setupkit;

TEST(ScriptedSetupInteraction, UnscriptedBoxFailsAndIsRecorded) {
    ScriptedSetupInteraction interaction;
    MessageCatalogue catalogue(interaction, noLanguageLibrary());
    EXPECT_THROW(SetupMessageDlg(catalogue, "Abort file copy?", mtConfirmation, mbYes | mbNo),
                 UnscriptedInteraction);
    ASSERT_EQ(interaction.messages().size(), 1u);
    EXPECT_EQ(interaction.messages()[0].text, "Abort file copy?");
    EXPECT_EQ(interaction.messages()[0].answer, mrNone);
}

TEST(ScriptedSetupInteraction, AnswerMustBeAButtonOfTheBox) {
    ScriptedSetupInteraction interaction;
    interaction.answer(mrYes);
    EXPECT_THROW(
        interaction.showStandardMessage("Gradations cannot be less than 1", mtInformation, mbOK),
        UnscriptedInteraction);
    interaction.answer(mrOk);
    EXPECT_EQ(interaction.showStandardMessage("text", mtInformation, 0), mrOk);
}

TEST(ScriptedSetupInteraction, ExpectedTextMustMatchExactly) {
    ScriptedSetupInteraction interaction;
    MessageCatalogue catalogue(interaction, noLanguageLibrary());
    interaction.answer("Setup failed.", mrOk);
    EXPECT_THROW(SetupMessageDlg(catalogue, "Setup failed", mtInformation, mbOK),
                 UnscriptedInteraction);
    interaction.answer("Setup failed.", mrOk);
    EXPECT_EQ(SetupMessageDlg(catalogue, "Setup failed.", mtInformation, mbOK), mrOk);
    EXPECT_EQ(interaction.pendingAnswers(), 0u);
}

// A box that silently stopped appearing leaves its answer behind, and that fails the test.
TEST(ScriptedSetupInteraction, AnswersNeverUsedAreReportedWhenDropped) {
    lumora::testing::CapturedUnusedScripts captured;
    {
        ScriptedSetupInteraction interaction;
        interaction.answer("Setup failed.", mrOk);
        interaction.answer(mrOk);
        interaction.answer("Create it?", mrYes);
        EXPECT_EQ(interaction.showStandardMessage("Setup failed.", mtInformation, mbOK), mrOk);
    }
    {
        ScriptedSetupInteraction allUsed;
        allUsed.answer(mrOk);
        allUsed.showStandardMessage("text", mtInformation, mbOK);
    }
    ASSERT_EQ(captured.reports.size(), 1u);
    EXPECT_EQ(captured.reports[0], "the scripted setup interaction ends with 2 scripted item(s) "
                                   "never used:\n  answer 1\n  answer 6 to \"Create it?\"");
}
