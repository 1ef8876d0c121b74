#pragma once
// Unattended runs: the answer file that a real setup process (and the copy it relaunches,
// which inherits the environment) reads its wizard button presses and message box
// answers from, named by the environment variable LUMORA_SETUP_ANSWERS.
//
//     # a comment; blank lines are ignored
//     press Next                  the next press of a wizard button (Next, Previous, Cancel)
//     answer Yes                  the next message box, whatever it says, gets Yes
//     answer No Abort file copy?  the next box must say exactly this (\n, \r, \t, \\ escapes)
//
// Presses and answers form two queues, each taken in its own order. A box or a page
// that finds its queue empty ends the run with an error naming what it showed.

#include "setup/engine/wizard_dialog.h"

#include <deque>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

namespace setupkit {

inline constexpr const char* kAnswerFileVariable = "LUMORA_SETUP_ANSWERS";

class EAnswerFileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

struct ScriptedAnswer {
    int result = 0; // mrYes, mrOk, ...
    std::optional<std::string> expectedText;
};

struct AnswerFile {
    std::deque<WizardButton> presses;
    std::deque<ScriptedAnswer> answers;
};

// EAnswerFileError "line N: ..." for a line it cannot take.
AnswerFile parseAnswerFile(std::string_view text);

// The answer file the environment names, or nothing when the variable is unset or
// empty; EAnswerFileError when it names a file that cannot be read or parsed.
std::optional<AnswerFile> answerFileFromEnvironment();

// "Next", "Previous", "Cancel".
std::string_view wizardButtonName(WizardButton button);

} // namespace setupkit
