#include "page_result.h"

#include "text/utf8_char.h"

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

std::string jsonString(std::string_view text) {
    std::string out = "\"";
    out.reserve(text.size() + 2);
    for (size_t i = 0; i < text.size();) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c >= 0x80) {
            // A byte that is no part of a valid sequence stands for a replacement
            // character of its own, so the output is always valid JSON text.
            const auto next = lumora::text::decodeUtf8At(text, i);
            if (next.valid)
                out.append(text.substr(i, next.length));
            else
                out += "\\ufffd";
            i += next.length;
            continue;
        }
        switch (c) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        default:
            if (c < 0x20 || c == 0x7F) {
                char escaped[8];
                std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
                out += escaped;
            } else {
                out += static_cast<char>(c);
            }
        }
        ++i;
    }
    return out + "\"";
}

std::string displayName(std::string_view name) {
    std::string out;
    out.reserve(name.size());
    auto escape = [&](const char* format, unsigned value) {
        char escaped[8];
        std::snprintf(escaped, sizeof escaped, format, value);
        out += escaped;
    };
    for (size_t i = 0; i < name.size();) {
        const auto c = static_cast<unsigned char>(name[i]);
        if (c >= 0x80) {
            const auto read = text::decodeUtf8At(name, i);
            if (!read.valid)
                escape("\\x%02x", c);
            else if (read.codePoint <= 0x9F) // the C1 controls
                escape("\\u%04x", static_cast<unsigned>(read.codePoint));
            else
                out.append(name.substr(i, read.length));
            i += read.length;
            continue;
        }
        if (c == '\n')
            out += "\\n";
        else if (c == '\r')
            out += "\\r";
        else if (c == '\t')
            out += "\\t";
        else if (c < 0x20 || c == 0x7F)
            escape("\\u%04x", c);
        else
            out += static_cast<char>(c);
        ++i;
    }
    return out;
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
