#include "setup/form/form_text_syntax.h"

#include <cfloat>
#include <cmath>
#include <cstdio>
#include <cstdlib>

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

bool equalsIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
        if (lower(a[i]) != lower(b[i]))
            return false;
    }
    return true;
}

bool isReservedValueWord(std::string_view word) {
    for (const std::string_view reserved : {"True", "False", "nil"})
        if (equalsIgnoringCase(word, reserved))
            return true;
    return false;
}

std::string formatExtended(long double value) {
    if (std::isnan(value))
        return std::signbit(value) ? "-NAN" : "+NAN";
    if (std::isinf(value))
        return value < 0 ? "-INF" : "+INF";
    char buffer[64];
    for (int precision = 1; precision <= LDBL_DECIMAL_DIG; ++precision) {
        std::snprintf(buffer, sizeof buffer, "%.*Lg", precision, value);
        if (std::strtold(buffer, nullptr) == value)
            break;
    }
    std::string text = buffer;
    if (text.find_first_of(".eE") == std::string::npos)
        text += ".0";
    return text;
}

} // namespace setupkit::form::text_syntax
