#include "desktop_entry_format.h"

#include "common/ascii_case.h"
#include "common/char_replacements.h"

#include <cstdint>
#include <cstdio>

namespace lumora::platform {

std::string escapeDesktopValue(std::string_view value) {
    static constexpr CharReplacement kEscapes[] = {
        {'\\', "\\\\"}, {'\n', "\\n"}, {'\t', "\\t"}, {'\r', "\\r"}};
    // A leading blank would be dropped by readers; blanks further on are kept as they are.
    if (!value.empty() && value.front() == ' ')
        return "\\s" + withReplacements(value.substr(1), kEscapes);
    return withReplacements(value, kEscapes);
}

std::string unescapeDesktopValue(std::string_view value) {
    std::string out;
    for (size_t i = 0; i < value.size(); ++i) {
        if (value[i] != '\\' || i + 1 == value.size()) {
            out += value[i];
            continue;
        }
        const char next = value[++i];
        out += next == 's'   ? ' '
               : next == 'n' ? '\n'
               : next == 't' ? '\t'
               : next == 'r' ? '\r'
                             : next;
    }
    return out;
}

std::string desktopExecValue(const std::vector<std::string>& arguments) {
    constexpr std::string_view reserved = " \t\n\"'\\><~|&;$*?#()`";
    std::string command;
    for (const auto& argument : arguments) {
        if (!command.empty())
            command += ' ';
        std::string text;
        for (char c : argument)
            text += c == '%' ? std::string("%%") : std::string(1, c);
        if (!text.empty() && text.find_first_of(reserved) == std::string::npos) {
            command += text;
            continue;
        }
        command += '"';
        for (char c : text) {
            if (c == '"' || c == '`' || c == '$' || c == '\\')
                command += '\\';
            command += c;
        }
        command += '"';
    }
    return escapeDesktopValue(command);
}

std::string desktopIdPart(std::string_view name) {
    std::uint32_t hash = 2166136261u;
    for (char c : name) {
        hash ^= static_cast<unsigned char>(asciiUpper(c));
        hash *= 16777619u;
    }
    std::string slug;
    for (char c : name) {
        const char lower = asciiLower(c);
        const bool keep = (lower >= 'a' && lower <= 'z') || (lower >= '0' && lower <= '9');
        if (keep)
            slug += lower;
        else if (!slug.empty() && slug.back() != '-')
            slug += '-';
        if (slug.size() >= 40)
            break;
    }
    while (!slug.empty() && slug.back() == '-')
        slug.pop_back();
    char suffix[16];
    std::snprintf(suffix, sizeof suffix, "%08x", static_cast<unsigned>(hash));
    return (slug.empty() ? std::string() : slug + "-") + suffix;
}

std::string desktopEntryValue(std::string_view fileText, std::string_view key) {
    bool inEntry = false;
    size_t position = 0;
    while (position < fileText.size()) {
        const auto end = fileText.find('\n', position);
        std::string_view line =
            fileText.substr(position, end == std::string_view::npos ? end : end - position);
        position = end == std::string_view::npos ? fileText.size() : end + 1;
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        if (!line.empty() && line.front() == '[') {
            inEntry = line == "[Desktop Entry]";
            continue;
        }
        const auto equals = line.find('=');
        if (!inEntry || equals == std::string_view::npos)
            continue;
        std::string_view name = line.substr(0, equals);
        while (!name.empty() && name.back() == ' ')
            name.remove_suffix(1);
        if (name == key) {
            std::string_view value = line.substr(equals + 1);
            while (!value.empty() && value.front() == ' ')
                value.remove_prefix(1);
            return unescapeDesktopValue(value);
        }
    }
    return {};
}

} // namespace lumora::platform
