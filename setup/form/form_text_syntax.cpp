#include "setup/form/form_text_syntax.h"

#include "common/ascii_case.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace setupkit::form::text_syntax {

bool isNameStart(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
}

bool isNameChar(char c) {
    return isNameStart(c) || (c >= '0' && c <= '9');
}

bool isBareName(std::string_view name, bool dotted) {
    if (name.empty() || !isNameStart(name.front()) || name.back() == '.')
        return false;
    char previous = '\0';
    for (const char c : name) {
        const bool dot = c == '.';
        if (dot && (!dotted || previous == '.'))
            return false;
        if (!dot && !isNameChar(c))
            return false;
        previous = c;
    }
    return true;
}

bool isReservedValueWord(std::string_view word) {
    for (const std::string_view reserved :
         {"True", "False", "nil", "object", "end", "item", "inherited", "inline"})
        if (lumora::equalsIgnoringCase(word, reserved))
            return true;
    return false;
}

std::string formatExtended(long double value) {
    if (std::isnan(value))
        return std::signbit(value) ? "-NAN" : "+NAN";
    if (std::isinf(value))
        return value < 0 ? "-INF" : "+INF";
    // The fewest significant digits that read back as the same number.
    char buffer[96];
    int digits = 1;
    for (; digits < LDBL_DECIMAL_DIG; ++digits) {
        std::snprintf(buffer, sizeof buffer, "%.*Le", digits - 1, value);
        if (std::strtold(buffer, nullptr) == value)
            break;
    }
    std::snprintf(buffer, sizeof buffer, "%.*Le", digits - 1, value);
    const int exponent = std::atoi(std::strchr(buffer, 'e') + 1);
    // Plain decimals while they stay short; the exponent form otherwise.
    if (exponent >= -5 && exponent < 18) {
        const int decimals = std::max(digits - 1 - exponent, 0);
        std::snprintf(buffer, sizeof buffer, "%.*Lf", decimals, value);
    }
    std::string text = buffer;
    if (text.find_first_of(".eE") == std::string::npos)
        text += ".0";
    return text;
}

} // namespace setupkit::form::text_syntax
