#pragma once
// Text made safe for one kind of output (JSON, a terminal line, HTML): characters the
// output gives a meaning are replaced, control characters are written as escapes, and
// bytes that are no part of valid UTF-8 stand for something visible, so that what is
// written is always valid UTF-8 and shows every character of the input.

#include "common/char_replacements.h"

#include <span>
#include <string>
#include <string_view>

namespace lumora::text {

struct EscapeRules {
    // ASCII characters written otherwise; looked at before the control characters.
    std::span<const CharReplacement> replacements;
    // Writes a control character (C0 and DEL; also C1 when `c1Controls`).
    void (*control)(std::string& out, char32_t codePoint);
    bool c1Controls = false;
    // Writes a byte that is no part of a valid UTF-8 sequence.
    void (*invalidByte)(std::string& out, unsigned char byte);
};

std::string escapedText(std::string_view text, const EscapeRules& rules);

} // namespace lumora::text
