#include "setup/form/setup_data_text.h"

#include "setup/form/form_text_writer.h"
#include "setup/script/dos_date_time.h"

#include <array>
#include <cstdio>
#include <limits>

namespace setupkit::form {

namespace {

struct ScriptPart {
    const char* label;
    // Values per record; 0 for a part that is not a list of records.
    std::size_t recordWidth;
};

// The fifteen top-level values of a version-5 script, in stored order.
constexpr std::array<ScriptPart, 15> kScriptParts{{
    {"format version", 0},
    {"AppName", 0},
    {"Files: Name, Source, date, Size, Compressed, CompressedSize", 6},
    {"Disks: Description, Size, (files)", 3},
    {"Dirs: Name, Dir, parent's Name, (files)", 4},
    {"FileGroups: Name, ((dirs) (files of each dir)...)", 2},
    {"ChoiceItems: Name, Title, (Description), Add group: Name, ((dirs) (files)...), "
     "(groups), Remove group: the same",
     9},
    {"ChoiceData: Name, Common, (items)", 3},
    {"WinItems: Name, CommandLine, Dir, ItemFile", 4},
    {"WinGroups: Name, Title, (items)", 3},
    {"BDEFiles", 1},
    {"BDELDFiles", 1},
    {"BDEWSFiles", 1},
    {"LogFileDir's Name, LogFileName", 0},
    {"UnInstallFiles", 1},
}};

constexpr std::size_t kFilesPart = 2;
constexpr std::size_t kFileDateColumn = 2;

void indent(std::string& out, int level) {
    out.append(static_cast<std::size_t>(level) * 2, ' ');
}

// A value on one line: lists as (a b c).
std::string inlineText(const FormValue& value) {
    if (value.kind != FormValue::Kind::List)
        return formValueToText(value);
    std::string text = "(";
    for (std::size_t i = 0; i < value.items.size(); ++i) {
        if (i > 0)
            text += ' ';
        text += inlineText(value.items[i]);
    }
    return text + ")";
}

std::string dateComment(const FormValue& packed) {
    if (packed.kind != FormValue::Kind::Integer || packed.integer == 0 ||
        packed.integer < std::numeric_limits<std::int32_t>::min() ||
        packed.integer > std::numeric_limits<std::int32_t>::max())
        return "";
    const auto dateTime = unpackDosDateTime(static_cast<std::int32_t>(packed.integer));
    if (!dateTime)
        return "";
    const CalendarDateTime parts = decodeDateTime(*dateTime);
    char buffer[48];
    std::snprintf(buffer, sizeof buffer, " // %04d-%02d-%02d %02d:%02d:%02d", parts.year,
                  parts.month, parts.day, parts.hour, parts.minute, parts.second);
    return buffer;
}

void appendPart(std::string& out, const FormValue& value, std::size_t part, int level) {
    const ScriptPart& shape = kScriptParts[part];
    indent(out, level);
    const std::size_t width = shape.recordWidth;
    if (width == 0 || value.kind != FormValue::Kind::List || value.items.empty() ||
        value.items.size() % width != 0) {
        out += inlineText(value);
        out += " // ";
        out += shape.label;
        return;
    }
    out += "( // ";
    out += shape.label;
    for (std::size_t first = 0; first < value.items.size(); first += width) {
        out += '\n';
        indent(out, level + 1);
        for (std::size_t column = 0; column < width; ++column) {
            if (column > 0)
                out += ' ';
            out += inlineText(value.items[first + column]);
        }
        if (first + width == value.items.size())
            out += ')';
        if (part == kFilesPart)
            out += dateComment(value.items[first + kFileDateColumn]);
    }
}

} // namespace

bool appendSetupDataText(std::string& out, const FormValue& value, int level) {
    if (value.kind != FormValue::Kind::List || value.items.size() != kScriptParts.size() ||
        value.items[0].kind != FormValue::Kind::Integer || value.items[0].integer < 5)
        return false;
    out += '(';
    for (std::size_t part = 0; part < kScriptParts.size(); ++part) {
        out += '\n';
        appendPart(out, value.items[part], part, level + 1);
    }
    // After a comment the closing parenthesis needs a line of its own.
    out += '\n';
    indent(out, level);
    out += ')';
    return true;
}

} // namespace setupkit::form
