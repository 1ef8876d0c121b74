#include "batch_options.h"

#include "batch/option_table.h"

namespace lumora::batch {

namespace {

struct CommandName {
    const char* name;
    Command command;
};

constexpr CommandName kCommands[] = {{"keywords", Command::Keywords},
                                     {"test", Command::Test},
                                     {"auto", Command::Auto},
                                     {"compress", Command::Compress},
                                     {"audit", Command::Audit}};

ParseResult usageError(std::string message) {
    ParseResult result;
    result.kind = ParseResult::Kind::UsageError;
    result.error = std::move(message);
    return result;
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
    std::vector<const OptionRow*> given;
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
        const OptionRow* row = findOption(name);
        if (!row || (row->valueName.empty() && value))
            return usageError("unknown option '" + argument + "'");
        if (row->showsHelp) {
            result.kind = ParseResult::Kind::Help;
            return result;
        }
        if (!row->valueName.empty() && !value) {
            if (i + 1 >= arguments.size())
                return usageError("option '" + name + "' needs a value");
            value = arguments[++i];
        }
        if (std::string error = row->apply(options, value.value_or("")); !error.empty())
            return usageError(std::move(error));
        given.push_back(row);
    }

    if (!command)
        return usageError("missing command (keywords, test, auto, compress or audit)");
    options.command = *command;
    for (const OptionRow* row : given)
        if (row->appliesTo && !row->appliesTo(options.command))
            return usageError(std::string(row->shortName.empty() ? row->longName : row->shortName) +
                              " does not apply to '" + commandName(options.command) + "'" +
                              std::string(row->whyNot));
    if (options.filterFile && !options.useFilter)
        return usageError("--filter and --no-filter exclude each other");
    if (options.limits.titleMin > options.limits.titleMax)
        return usageError("--title-min is more than --title-max");
    if (options.limits.descriptionMin > options.limits.descriptionMax)
        return usageError("--description-min is more than --description-max");
    if (options.pages.empty() && !options.worker)
        return usageError("no pages given");
    return result;
}

std::vector<std::string> workerArguments(const Options& options) {
    std::vector<std::string> arguments{kWorkerFlag, commandName(options.command)};
    for (const auto& row : optionTable())
        if (row.forward)
            row.forward(options, arguments);
    return arguments;
}

} // namespace lumora::batch
