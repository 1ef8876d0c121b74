#include "roff_manual.h"

#include "common/ascii_case.h"

#include <vector>

namespace lumora::tools {

namespace {

struct HelpLine {
    size_t indent = 0;
    std::string text; // without the indent; empty for a blank line
};

std::vector<HelpLine> splitLines(std::string_view help) {
    std::vector<HelpLine> lines;
    while (!help.empty()) {
        const size_t end = help.find('\n');
        std::string_view line = help.substr(0, end);
        help = end == std::string_view::npos ? std::string_view{} : help.substr(end + 1);
        while (!line.empty() && (line.back() == ' ' || line.back() == '\r'))
            line.remove_suffix(1);
        const size_t indent = line.find_first_not_of(' ');
        if (indent == std::string_view::npos)
            lines.push_back({});
        else
            lines.push_back({indent, std::string(line.substr(indent))});
    }
    return lines;
}

// Text roff prints as written: backslashes and minus signs escaped, and a line that
// would read as a request guarded.
std::string escaped(std::string_view text) {
    std::string out;
    if (!text.empty() && (text.front() == '.' || text.front() == '\''))
        out += "\\&";
    for (char c : text) {
        if (c == '\\')
            out += "\\e";
        else if (c == '-')
            out += "\\-";
        else
            out += c;
    }
    return out;
}

} // namespace

std::string roffManual(const ManualHeader& header, std::string_view helpText) {
    std::string out = ".TH \"" + escaped(asciiUppered(header.name)) + "\" " +
                      std::to_string(header.section) + " \"" + header.date + "\" \"" +
                      escaped(header.source) + "\" \"" + escaped(header.manual) + "\"\n";
    const std::vector<HelpLine> lines = splitLines(helpText);
    enum class Open { Nothing, Paragraph, Item } open = Open::Nothing;
    for (size_t i = 0; i < lines.size(); ++i) {
        const HelpLine& line = lines[i];
        if (line.text.empty()) {
            if (open == Open::Paragraph)
                open = Open::Nothing;
            continue;
        }
        if (line.indent == 0) {
            out += ".SH \"" + escaped(line.text) + "\"\n";
            open = Open::Nothing;
            continue;
        }
        if (line.indent > 4) {
            out += escaped(line.text) + "\n";
            continue;
        }
        const size_t gap = line.text.find("  ");
        if (gap != std::string::npos && open != Open::Paragraph) {
            // "0   every page succeeded": a short tag and its text on one line.
            const size_t textStart = line.text.find_first_not_of(' ', gap);
            out += ".TP\n.B " + escaped(line.text.substr(0, gap)) + "\n" +
                   escaped(line.text.substr(textStart)) + "\n";
            open = Open::Item;
        } else if (i + 1 < lines.size() && lines[i + 1].indent > line.indent) {
            out += ".TP\n.B " + escaped(line.text) + "\n";
            open = Open::Item;
        } else {
            if (open != Open::Paragraph)
                out += ".PP\n";
            out += escaped(line.text) + "\n";
            open = Open::Paragraph;
        }
    }
    return out;
}

} // namespace lumora::tools
