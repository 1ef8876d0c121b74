#include "audit/html_escape.h"

#include "text/escaped_text.h"

namespace lumora::audit {
namespace {

constexpr char kHex[] = "0123456789ABCDEF";

constexpr CharReplacement kMarkup[] = {
    {'&', "&amp;"}, {'<', "&lt;"}, {'>', "&gt;"}, {'"', "&quot;"}, {'\'', "&#39;"}};

constexpr text::EscapeRules kReportRules{
    kMarkup,
    [](std::string& out, char32_t control) {
        out += "\\x";
        out += kHex[control >> 4];
        out += kHex[control & 0xF];
    },
    false, [](std::string& out, unsigned char) { out += "\xEF\xBF\xBD"; }};

} // namespace

std::string htmlEscaped(std::string_view text) {
    return text::escapedText(text, kReportRules);
}

std::string percentEncodedPath(std::string_view path) {
    std::string out;
    out.reserve(path.size());
    for (const char ch : path) {
        const auto c = static_cast<unsigned char>(ch);
        const bool plain = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') ||
                           (c >= '0' && c <= '9') || c == '-' || c == '.' || c == '_' || c == '~' ||
                           c == '/';
        if (plain) {
            out += ch;
        } else {
            out += '%';
            out += kHex[c >> 4];
            out += kHex[c & 0xF];
        }
    }
    return out;
}

} // namespace lumora::audit
