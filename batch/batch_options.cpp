#include "batch_options.h"

#include <algorithm>
#include <charconv>

namespace lumora::batch {

namespace {

struct CommandName {
    const char* name;
    Command command;
};

constexpr CommandName kCommands[] = {{"keywords", Command::Keywords},
                                     {"test", Command::Test},
                                     {"auto", Command::Auto},
                                     {"compress", Command::Compress}};

std::optional<int> parseNumber(const std::string& text) {
    int value = 0;
    const char* end = text.data() + text.size();
    const auto [rest, error] = std::from_chars(text.data(), end, value);
    if (text.empty() || error != std::errc() || rest != end)
        return std::nullopt;
    return value;
}

ParseResult usageError(std::string message) {
    ParseResult result;
    result.kind = ParseResult::Kind::UsageError;
    result.error = std::move(message);
    return result;
}

// Options that take a value, in their long and short spellings.
enum class Valued { None, Filter, Sensitivity, Output, Jobs, Language };

Valued valuedOption(const std::string& name) {
    if (name == "--filter")
        return Valued::Filter;
    if (name == "--sensitivity")
        return Valued::Sensitivity;
    if (name == "-o" || name == "--output")
        return Valued::Output;
    if (name == "-j" || name == "--jobs")
        return Valued::Jobs;
    if (name == "--lang")
        return Valued::Language;
    return Valued::None;
}

} // namespace

const char* commandName(Command command) {
    for (const auto& entry : kCommands)
        if (entry.command == command)
            return entry.name;
    return "?";
}

bool commandWrites(Command command) {
    return command == Command::Auto || command == Command::Compress;
}

ParseResult parseArguments(const std::vector<std::string>& arguments) {
    ParseResult result;
    Options& options = result.options;
    std::optional<Command> command;
    bool optionsEnded = false;

    auto positional = [&](const std::string& argument) -> std::optional<ParseResult> {
        if (command) {
            options.pages.push_back(argument);
            return std::nullopt;
        }
        for (const auto& entry : kCommands)
            if (argument == entry.name) {
                command = entry.command;
                return std::nullopt;
            }
        return usageError("unknown command '" + argument + "'");
    };

    for (size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (optionsEnded || argument.size() < 2 || argument[0] != '-') {
            if (auto error = positional(argument))
                return *error;
            continue;
        }
        if (argument == "--") {
            optionsEnded = true;
            continue;
        }
        if (argument == "--help" || argument == "-h") {
            result.kind = ParseResult::Kind::Help;
            return result;
        }
        if (argument == kWorkerFlag) {
            options.worker = true;
            continue;
        }

        // "--name=value", "--name value", "-oDIR", "-o DIR".
        std::string name = argument;
        std::optional<std::string> value;
        if (argument.starts_with("--")) {
            if (const size_t equals = argument.find('='); equals != std::string::npos) {
                name = argument.substr(0, equals);
                value = argument.substr(equals + 1);
            }
        } else if (argument.size() > 2) {
            name = argument.substr(0, 2);
            value = argument.substr(2);
        }
        const Valued valued = valuedOption(name);
        if (valued == Valued::None) {
            if (value)
                return usageError("unknown option '" + argument + "'");
            if (name == "--no-title")
                options.includeTitle = false;
            else if (name == "--no-description")
                options.includeDescription = false;
            else if (name == "--no-keywords")
                options.includeKeywords = false;
            else if (name == "--no-booster")
                options.keywordBooster = false;
            else if (name == "--no-hidden")
                options.addHiddenWords = false;
            else if (name == "--no-filter")
                options.useFilter = false;
            else if (name == "--visible-text")
                options.visibleText = true;
            else if (name == "--dry-run")
                options.dryRun = true;
            else if (name == "--json")
                options.json = true;
            else
                return usageError("unknown option '" + argument + "'");
            continue;
        }
        if (!value) {
            if (i + 1 >= arguments.size())
                return usageError("option '" + name + "' needs a value");
            value = arguments[++i];
        }
        switch (valued) {
        case Valued::Filter:
            if (value->empty())
                return usageError("--filter needs a file name");
            options.filterFile = *value;
            break;
        case Valued::Sensitivity: {
            const auto number = parseNumber(*value);
            if (!number || *number < 0 || *number > 25)
                return usageError("--sensitivity must be a whole number from 0 to 25, not '" +
                                  *value + "'");
            options.sensitivity = *number;
            break;
        }
        case Valued::Output:
            if (value->empty())
                return usageError("-o needs a directory");
            options.outputDirectory = *value;
            break;
        case Valued::Jobs: {
            const auto number = parseNumber(*value);
            if (!number || *number < 1 || *number > kMaxJobs)
                return usageError("-j must be a whole number from 1 to " +
                                  std::to_string(kMaxJobs) + ", not '" + *value + "'");
            options.jobs = *number;
            break;
        }
        case Valued::Language: {
            const bool letters = value->size() >= 2 && value->size() <= 8 &&
                                 std::all_of(value->begin(), value->end(), [](char c) {
                                     return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
                                 });
            if (!letters)
                return usageError("--lang must be a language code of 2 to 8 letters, not '" +
                                  *value + "'");
            options.language = *value;
            break;
        }
        case Valued::None:
            break;
        }
    }

    if (!command)
        return usageError("missing command (keywords, test, auto or compress)");
    options.command = *command;
    if (options.filterFile && !options.useFilter)
        return usageError("--filter and --no-filter exclude each other");
    if (options.outputDirectory && !commandWrites(options.command))
        return usageError(std::string("-o does not apply to '") + commandName(options.command) +
                          "': it writes nothing");
    if (options.pages.empty() && !options.worker)
        return usageError("no pages given");
    return result;
}

std::vector<std::string> workerArguments(const Options& options) {
    std::vector<std::string> arguments{kWorkerFlag, commandName(options.command)};
    const std::pair<bool, const char*> switches[] = {
        {!options.includeTitle, "--no-title"},
        {!options.includeDescription, "--no-description"},
        {!options.includeKeywords, "--no-keywords"},
        {!options.keywordBooster, "--no-booster"},
        {!options.addHiddenWords, "--no-hidden"},
        {!options.useFilter, "--no-filter"},
        {options.visibleText, "--visible-text"},
        {options.dryRun, "--dry-run"},
        {options.json, "--json"}};
    for (const auto& [on, name] : switches)
        if (on)
            arguments.emplace_back(name);
    if (options.filterFile)
        arguments.push_back("--filter=" + *options.filterFile);
    if (options.sensitivity)
        arguments.push_back("--sensitivity=" + std::to_string(*options.sensitivity));
    if (options.language)
        arguments.push_back("--lang=" + *options.language);
    if (options.outputDirectory)
        arguments.push_back("--output=" + *options.outputDirectory);
    return arguments;
}

} // namespace lumora::batch
