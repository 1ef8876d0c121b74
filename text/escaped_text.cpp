#include "escaped_text.h"

#include "text/utf8_char.h"

namespace lumora::text {

std::string escapedText(std::string_view text, const EscapeRules& rules) {
    std::string out;
    out.reserve(text.size() + 2);
    for (size_t i = 0; i < text.size();) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c >= 0x80) {
            const Utf8Char read = decodeUtf8At(text, i);
            if (!read.valid)
                rules.invalidByte(out, c);
            else if (rules.c1Controls && read.codePoint <= 0x9F)
                rules.control(out, read.codePoint);
            else
                out.append(text.substr(i, read.length));
            i += read.length;
            continue;
        }
        if (const std::string_view* replacement = replacementOf(text[i], rules.replacements))
            out += *replacement;
        else if (c < 0x20 || c == 0x7F)
            rules.control(out, c);
        else
            out += text[i];
        ++i;
    }
    return out;
}

} // namespace lumora::text
