#pragma once
// Turns a program's --help text, laid out as a manual page (headings at the margin,
// text indented four columns, a term's description eight), into roff for man(1), so
// that the installed manual page says exactly what --help says.

#include <string>
#include <string_view>

namespace lumora::tools {

struct ManualHeader {
    std::string name;   // the program's name, as the page is titled
    int section = 1;    // the manual section
    std::string date;   // YYYY-MM-DD
    std::string source; // the package and its version
    std::string manual; // the manual's title, e.g. "User Commands"
};

std::string roffManual(const ManualHeader& header, std::string_view helpText);

} // namespace lumora::tools
