// The answer file of unattended runs: what is parsed, written out as an answer file
// again, parses to the same presses and answers.

#include "common/char_replacements.h"
#include "fuzz_check.h"
#include "setup/engine/answer_file.h"
#include "setup/engine/message_box_types.h"

#include <cstddef>
#include <cstdint>

using lumora::fuzz::require;
using namespace setupkit;

namespace {

std::string resultName(int result) {
    constexpr std::pair<int, const char*> kNames[] = {
        {mrOk, "OK"},       {mrCancel, "Cancel"}, {mrAbort, "Abort"},
        {mrRetry, "Retry"}, {mrIgnore, "Ignore"}, {mrYes, "Yes"},
        {mrNo, "No"},       {mrAll, "All"},       {mrNone, "None"}};
    for (const auto& [value, name] : kNames)
        if (value == result)
            return name;
    require(false, "an answer holds a result no answer file names");
    return {};
}

std::string escaped(const std::string& text) {
    static constexpr lumora::CharReplacement kEscapes[] = {
        {'\\', "\\\\"}, {'\n', "\\n"}, {'\r', "\\r"}, {'\t', "\\t"}};
    return lumora::withReplacements(text, kEscapes);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    AnswerFile parsed;
    try {
        parsed = parseAnswerFile(lumora::fuzz::asText(data, size));
    } catch (const EAnswerFileError&) {
        return 0;
    }
    std::string text = "# written again\n";
    for (WizardButton button : parsed.presses)
        text += "press " + std::string(wizardButtonName(button)) + "\n";
    for (const ScriptedAnswer& answer : parsed.answers) {
        require(!answer.expectedText || !answer.expectedText->empty(),
                "an answer expects an empty text");
        text += "answer " + resultName(answer.result);
        if (answer.expectedText)
            text += " " + escaped(*answer.expectedText);
        text += "\n";
    }
    AnswerFile reread;
    try {
        reread = parseAnswerFile(text);
    } catch (const EAnswerFileError&) {
        require(false, "an answer file written from parsed answers cannot be parsed");
    }
    require(reread.presses == parsed.presses, "written presses read back otherwise");
    require(reread.answers.size() == parsed.answers.size(), "written answers read back otherwise");
    for (std::size_t i = 0; i < parsed.answers.size(); ++i)
        require(reread.answers[i].result == parsed.answers[i].result &&
                    reread.answers[i].expectedText == parsed.answers[i].expectedText,
                "a written answer reads back otherwise");
    return 0;
}
