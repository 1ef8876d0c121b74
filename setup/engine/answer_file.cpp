#include "setup/engine/answer_file.h"

#include "common/ascii_case.h"
#include "platform/regular_file_read.h"
#include "setup/engine/message_box_types.h"

#include <cstdlib>
#include <utility>

namespace setupkit {

namespace {

constexpr std::pair<std::string_view, WizardButton> kButtons[] = {
    {"Next", WizardButton::Next},
    {"Previous", WizardButton::Prev},
    {"Cancel", WizardButton::Cancel},
};

constexpr std::pair<std::string_view, int> kResults[] = {
    {"OK", mrOk},       {"Cancel", mrCancel}, {"Abort", mrAbort},
    {"Retry", mrRetry}, {"Ignore", mrIgnore}, {"Yes", mrYes},
    {"No", mrNo},       {"All", mrAll},       {"None", mrNone},
};

std::string_view trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(" \t\r");
    if (first == std::string_view::npos)
        return {};
    const auto last = text.find_last_not_of(" \t\r");
    return text.substr(first, last - first + 1);
}

// The first word and the rest, trimmed.
std::pair<std::string_view, std::string_view> splitWord(std::string_view text) {
    const auto end = text.find_first_of(" \t");
    if (end == std::string_view::npos)
        return {text, {}};
    return {text.substr(0, end), trimmed(text.substr(end))};
}

std::string unescaped(std::string_view text, int lineNumber) {
    std::string result;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\') {
            result += text[i];
            continue;
        }
        if (++i == text.size())
            throw EAnswerFileError("line " + std::to_string(lineNumber) +
                                   ": a backslash ends the text");
        switch (text[i]) {
        case 'n':
            result += '\n';
            break;
        case 'r':
            result += '\r';
            break;
        case 't':
            result += '\t';
            break;
        case '\\':
            result += '\\';
            break;
        default:
            throw EAnswerFileError("line " + std::to_string(lineNumber) + ": unknown escape \\" +
                                   std::string(1, text[i]));
        }
    }
    return result;
}

template <class Value, std::size_t N>
std::optional<Value> lookUp(const std::pair<std::string_view, Value> (&table)[N],
                            std::string_view name) {
    for (const auto& [known, value] : table)
        if (lumora::equalsIgnoringCase(known, name))
            return value;
    return std::nullopt;
}

template <std::size_t N, class Value>
std::string namesOf(const std::pair<std::string_view, Value> (&table)[N]) {
    std::string names;
    for (const auto& entry : table)
        names += (names.empty() ? "" : ", ") + std::string(entry.first);
    return names;
}

} // namespace

AnswerFile parseAnswerFile(std::string_view text) {
    AnswerFile file;
    int lineNumber = 0;
    while (!text.empty()) {
        ++lineNumber;
        const auto end = text.find('\n');
        const std::string_view line = trimmed(text.substr(0, end));
        text = end == std::string_view::npos ? std::string_view{} : text.substr(end + 1);
        if (line.empty() || line.front() == '#')
            continue;
        const auto [command, rest] = splitWord(line);
        const std::string where = "line " + std::to_string(lineNumber) + ": ";
        if (command == "press") {
            const auto button = lookUp(kButtons, rest);
            if (!button)
                throw EAnswerFileError(where + "press takes one of " + namesOf(kButtons) +
                                       ", not \"" + std::string(rest) + "\"");
            file.presses.push_back(*button);
        } else if (command == "answer") {
            const auto [name, expected] = splitWord(rest);
            const auto result = lookUp(kResults, name);
            if (!result)
                throw EAnswerFileError(where + "answer takes one of " + namesOf(kResults) +
                                       ", not \"" + std::string(name) + "\"");
            ScriptedAnswer answer{*result, std::nullopt};
            if (!expected.empty())
                answer.expectedText = unescaped(expected, lineNumber);
            file.answers.push_back(std::move(answer));
        } else {
            throw EAnswerFileError(where + "unknown command \"" + std::string(command) +
                                   "\" (press or answer)");
        }
    }
    return file;
}

std::optional<AnswerFile> answerFileFromEnvironment() {
    const char* path = std::getenv(kAnswerFileVariable);
    if (!path || !*path)
        return std::nullopt;
    std::string text;
    try {
        text = lumora::platform::readRegularFile(path);
    } catch (const lumora::platform::FileError& error) {
        throw EAnswerFileError(std::string("cannot read the answer file ") + error.what());
    }
    if (text.empty())
        throw EAnswerFileError(std::string("the answer file ") + path +
                               " is empty: it must press the wizard's buttons");
    try {
        return parseAnswerFile(text);
    } catch (const EAnswerFileError& error) {
        throw EAnswerFileError(std::string(path) + ": " + error.what());
    }
}

std::string_view wizardButtonName(WizardButton button) {
    for (const auto& [name, value] : kButtons)
        if (value == button)
            return name;
    return "?";
}

} // namespace setupkit
