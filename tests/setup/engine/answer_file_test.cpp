#include "setup/engine/answer_file.h"
#include "setup/engine/message_box_types.h"
#include "setup/engine/unattended_interaction.h"

#include <gtest/gtest.h>

namespace setupkit {
namespace {

TEST(AnswerFile, PressesAndAnswersFormTwoQueuesInTheirOwnOrder) {
    const AnswerFile file =
        parseAnswerFile("# install into the default place\n"
                        "press Next\r\n"
                        "answer Yes Would you like to read the README.TXT file?\n"
                        "\n"
                        "  press   previous  \n"
                        "answer ok\n"
                        "press CANCEL\n"
                        "answer No Line one\\r\\nLine two\\\\ \\t end\n");
    EXPECT_EQ(file.presses, (std::deque<WizardButton>{WizardButton::Next, WizardButton::Prev,
                                                      WizardButton::Cancel}));
    ASSERT_EQ(file.answers.size(), 3u);
    EXPECT_EQ(file.answers[0].result, mrYes);
    EXPECT_EQ(file.answers[0].expectedText, "Would you like to read the README.TXT file?");
    EXPECT_EQ(file.answers[1].result, mrOk);
    EXPECT_EQ(file.answers[1].expectedText, std::nullopt);
    EXPECT_EQ(file.answers[2].expectedText, "Line one\r\nLine two\\ \t end");
}

TEST(AnswerFile, ALineItCannotTakeIsNamedWithItsNumber) {
    const struct {
        const char* text;
        const char* message;
    } cases[] = {
        {"press Next\npress Finish\n",
         "line 2: press takes one of Next, Previous, Cancel, not \"Finish\""},
        {"answer Maybe\n", "line 1: answer takes one of OK, Cancel, Abort, Retry, Ignore, Yes, No, "
                           "All, None, not \"Maybe\""},
        {"\n\nclick Next\n", "line 3: unknown command \"click\" (press or answer)"},
        {"answer OK text\\q\n", "line 1: unknown escape \\q"},
        {"answer OK text\\\n", "line 1: a backslash ends the text"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        try {
            parseAnswerFile(c.text);
            ADD_FAILURE() << "accepted";
        } catch (const EAnswerFileError& error) {
            EXPECT_STREQ(error.what(), c.message);
        }
    }
}

TEST(DefaultAnswers, AnswerEachBoxAsItsDefaultsWouldAndNeverGoOnPastAnError) {
    const std::vector<std::string> declined = {"Read me?"};
    const struct {
        const char* box;
        const char* text;
        std::vector<int> buttons;
        int answer;
    } cases[] = {
        {"a copy error", "FILE COPY ERROR", {mrAbort, mrRetry, mrIgnore}, mrAbort},
        {"a question", "Create it?", {mrYes, mrNo}, mrYes},
        {"a declined offer", "Read me?", {mrYes, mrNo}, mrNo},
        {"a notice", "Setup completed successfully.", {mrOk}, mrOk},
        {"a box with no default", "Insert the next disk", {mrRetry, mrCancel}, mrNone},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.box);
        EXPECT_EQ(defaultAnswer(c.text, c.buttons, declined), c.answer);
    }
}

} // namespace
} // namespace setupkit
