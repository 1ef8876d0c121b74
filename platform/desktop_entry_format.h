#pragma once
// Text rules of the freedesktop Desktop Entry format that the menu shell writes:
// escaping of string values, quoting of Exec arguments, and names that are valid
// desktop file IDs.

#include <string>
#include <string_view>
#include <vector>

namespace lumora::platform {

// A string value: backslash, newline, tab and carriage return escaped, and a
// leading blank written as "\s".
std::string escapeDesktopValue(std::string_view value);
// The reverse of escapeDesktopValue.
std::string unescapeDesktopValue(std::string_view value);

// The value of an Exec key for these arguments: each argument quoted when it holds
// a reserved character, '%' doubled, then escaped as a string value.
std::string desktopExecValue(const std::vector<std::string>& arguments);

// A file-ID-safe form of a name: lower-case ASCII letters and digits, runs of
// anything else as one '-', at most 40 characters, then '-' and eight hex digits of
// a hash of the upper-cased name, so names differing only in case share it and
// names that fold to the same letters do not.
std::string desktopIdPart(std::string_view name);

// The value of `key` in the "[Desktop Entry]" group of a file's text, unescaped.
std::string desktopEntryValue(std::string_view fileText, std::string_view key);

} // namespace lumora::platform
