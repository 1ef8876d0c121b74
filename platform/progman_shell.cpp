#include "progman_shell.h"

#include "common/ascii_case.h"

namespace lumora::platform {

namespace {

std::string_view trimBlanks(std::string_view text) {
    const auto first = text.find_first_not_of(" \t\r\n");
    if (first == std::string_view::npos)
        return {};
    const auto last = text.find_last_not_of(" \t\r\n");
    return text.substr(first, last - first + 1);
}

} // namespace

std::optional<std::vector<ProgmanCommand>> parseProgmanCommands(std::string_view text) {
    std::vector<ProgmanCommand> commands;
    size_t position = 0;
    auto skipBlanks = [&] {
        while (position < text.size() && (text[position] == ' ' || text[position] == '\t' ||
                                          text[position] == '\r' || text[position] == '\n'))
            ++position;
    };
    while (true) {
        skipBlanks();
        if (position == text.size())
            break;
        if (text[position] != '[')
            return std::nullopt;
        ++position;
        ProgmanCommand command;
        const auto nameEnd = text.find_first_of("()]", position);
        if (nameEnd == std::string_view::npos)
            return std::nullopt;
        command.name = std::string(trimBlanks(text.substr(position, nameEnd - position)));
        position = nameEnd;
        if (text[position] == '(') {
            ++position;
            std::string argument;
            bool quoted = false;
            int depth = 0;
            while (true) {
                if (position == text.size())
                    return std::nullopt;
                const char c = text[position++];
                if (c == '"') {
                    quoted = !quoted;
                } else if (!quoted && c == '(') {
                    ++depth;
                } else if (!quoted && c == ')' && depth > 0) {
                    --depth;
                } else if (!quoted && depth == 0 && (c == ',' || c == ')')) {
                    command.arguments.emplace_back(trimBlanks(argument));
                    argument.clear();
                    if (c == ')')
                        break;
                    continue;
                }
                argument += c;
            }
            skipBlanks();
        }
        if (position == text.size() || text[position] != ']' || command.name.empty())
            return std::nullopt;
        ++position;
        commands.push_back(std::move(command));
    }
    return commands;
}

std::string unquoteProgmanArgument(std::string_view argument) {
    if (argument.size() >= 2 && argument.front() == '"' && argument.back() == '"')
        return std::string(argument.substr(1, argument.size() - 2));
    return std::string(argument);
}

std::string defaultItemName(std::string_view commandLine) {
    commandLine = trimBlanks(commandLine);
    std::string_view program;
    if (!commandLine.empty() && commandLine.front() == '"') {
        const auto close = commandLine.find('"', 1);
        program = commandLine.substr(1, close == std::string_view::npos ? close : close - 1);
    } else {
        program = commandLine.substr(0, commandLine.find_first_of(" \t"));
    }
    const auto slash = program.find_last_of("\\/:");
    if (slash != std::string_view::npos)
        program.remove_prefix(slash + 1);
    const auto dot = program.rfind('.');
    if (dot != std::string_view::npos && dot > 0)
        program = program.substr(0, dot);
    return std::string(program);
}

bool ProgmanShell::execute(std::string_view commandText) {
    const auto commands = parseProgmanCommands(commandText);
    if (!commands || commands->empty())
        return false;
    for (const auto& command : *commands)
        if (!acceptCommand(command) || !run(command))
            return false;
    return true;
}

bool ProgmanShell::run(const ProgmanCommand& command) {
    const auto& arguments = command.arguments;
    const std::string first =
        arguments.empty() ? std::string() : unquoteProgmanArgument(arguments[0]);
    if (equalsIgnoringCase(command.name, "CreateGroup")) {
        if (first.empty() || !createGroup(first))
            return false;
        currentGroup_ = first;
        return true;
    }
    if (equalsIgnoringCase(command.name, "ShowGroup")) {
        if (first.empty() || !hasGroup(first))
            return false;
        currentGroup_ = first;
        return true;
    }
    if (equalsIgnoringCase(command.name, "AddItem")) {
        if (arguments.empty() || arguments[0].empty() || currentGroup_.empty() ||
            !hasGroup(currentGroup_))
            return false;
        std::string name =
            arguments.size() > 1 ? unquoteProgmanArgument(arguments[1]) : std::string();
        if (name.empty())
            name = defaultItemName(arguments[0]);
        return addItem(currentGroup_, arguments[0], name);
    }
    if (equalsIgnoringCase(command.name, "DeleteItem")) {
        if (first.empty() || currentGroup_.empty())
            return false;
        return deleteItem(currentGroup_, first);
    }
    if (equalsIgnoringCase(command.name, "DeleteGroup")) {
        if (first.empty() || !deleteGroup(first))
            return false;
        if (equalsIgnoringCase(currentGroup_, first))
            currentGroup_.clear();
        return true;
    }
    return false;
}

std::optional<std::string> ProgmanShell::request(std::string_view item) {
    if (!equalsIgnoringCase(trimBlanks(item), "Groups"))
        return std::nullopt;
    std::string answer;
    for (const auto& name : groupNames())
        answer += name + "\r\n";
    return answer;
}

} // namespace lumora::platform
