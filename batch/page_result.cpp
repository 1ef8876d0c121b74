#include "page_result.h"

#include "text/escaped_text.h"

#include <cstdio>

namespace lumora::batch {

namespace {

// Message texts break lines with a lone CR; on a terminal each becomes a new line
// indented like the first.
std::string indented(const std::string& message) {
    std::string out = "    ";
    for (char c : message) {
        if (c == '\r' || c == '\n')
            out += "\n    ";
        else
            out += c;
    }
    return out + "\n";
}

void appendList(std::string& out, const std::vector<std::string>& items) {
    out += '[';
    for (size_t i = 0; i < items.size(); ++i) {
        if (i)
            out += ',';
        out += jsonString(items[i]);
    }
    out += ']';
}

std::string joined(const std::vector<std::string>& items) {
    std::string out;
    for (const auto& item : items)
        out += (out.empty() ? "" : ", ") + item;
    return out;
}

} // namespace

const char* statusName(PageStatus status) {
    switch (status) {
    case PageStatus::Ok:
        return "ok";
    case PageStatus::Unchanged:
        return "unchanged";
    case PageStatus::Failed:
        return "failed";
    case PageStatus::Error:
        return "error";
    }
    return "error";
}

PageResult errorResult(std::string path, std::string reason) {
    PageResult result;
    result.path = std::move(path);
    result.status = PageStatus::Error;
    result.reason = std::move(reason);
    return result;
}

namespace {

void appendFormatted(std::string& out, const char* format, unsigned value) {
    char escaped[8];
    std::snprintf(escaped, sizeof escaped, format, value);
    out += escaped;
}

void appendUnicodeEscape(std::string& out, char32_t codePoint) {
    appendFormatted(out, "\\u%04x", static_cast<unsigned>(codePoint));
}

constexpr CharReplacement kJsonReplacements[] = {
    {'"', "\\\""}, {'\\', "\\\\"}, {'\n', "\\n"}, {'\r', "\\r"}, {'\t', "\\t"}};

// A byte that is no part of a valid sequence stands for a replacement character of its
// own, so the output is always valid JSON text.
constexpr text::EscapeRules kJsonRules{kJsonReplacements, appendUnicodeEscape, false,
                                       [](std::string& out, unsigned char) { out += "\\ufffd"; }};

// A terminal line: no character may move the cursor or start a control sequence, C1
// controls included, and a byte that is not UTF-8 shows as itself.
constexpr text::EscapeRules kDisplayRules{
    std::span(kJsonReplacements).subspan(2), appendUnicodeEscape, true,
    [](std::string& out, unsigned char byte) { appendFormatted(out, "\\x%02x", byte); }};

} // namespace

std::string jsonString(std::string_view text) {
    return "\"" + text::escapedText(text, kJsonRules) + "\"";
}

std::string displayName(std::string_view name) {
    return text::escapedText(name, kDisplayRules);
}

std::string errorLine(const PageResult& result) {
    return "lumora-batch: " + displayName(result.path) + ": " + displayName(result.reason) + "\n";
}

std::string formatText(const PageResult& result, const Options& options) {
    std::string out = displayName(result.path) + ": ";
    if (options.command == Command::Test) {
        out += result.status == PageStatus::Ok ? "passed\n" : "failed\n";
        for (const auto& message : result.messages)
            out += indented(message);
        return out;
    }
    if (result.status != PageStatus::Ok) {
        // Only a command that writes leaves a page unchanged; the others just report.
        out += (commandWrites(options.command) ? "left unchanged: " : "") +
               displayName(result.reason) + "\n";
        // A failed tag test says why in its own messages.
        if (result.status == PageStatus::Failed)
            for (const auto& message : result.messages)
                out += indented(message);
        return out;
    }
    switch (options.command) {
    case Command::Keywords:
        return out + "sensitivity " + std::to_string(result.sensitivity) + ": " +
               joined(result.keywords) + "\n";
    case Command::Auto:
        out += "tags built";
        break;
    case Command::Compress:
        out += result.changed ? "compressed" : "nothing to compress";
        break;
    case Command::Test:
    case Command::Audit:
        break;
    }
    if (options.dryRun)
        out += " (dry run, nothing written)";
    else if (!result.output.empty() && result.output != result.path)
        out += ", written to " + displayName(result.output);
    return out + "\n";
}

std::string formatJson(const PageResult& result, const Options& options) {
    std::string out = "{\"path\":" + jsonString(result.path) +
                      ",\"status\":" + jsonString(statusName(result.status));
    if (!result.reason.empty())
        out += ",\"reason\":" + jsonString(result.reason);
    out += ",\"messages\":";
    appendList(out, result.messages);
    if (options.command == Command::Keywords || options.command == Command::Auto) {
        out += ",\"keywords\":";
        appendList(out, result.keywords);
        out += ",\"sensitivity\":";
        out += result.sensitivity < 0 ? "null" : std::to_string(result.sensitivity);
    }
    if (options.command == Command::Auto) {
        out += ",\"title\":" + jsonString(result.title);
        out += ",\"description\":" + jsonString(result.description);
    }
    if (commandWrites(options.command)) {
        out += std::string(",\"changed\":") + (result.changed ? "true" : "false");
        out += ",\"output\":" +
               (result.output.empty() ? std::string("null") : jsonString(result.output));
    }
    return out + "}\n";
}

} // namespace lumora::batch
