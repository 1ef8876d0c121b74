#include "ascii_case.h"

#include <cstring>

namespace lumora::text {

namespace {

bool matchesFoldedAt(std::string_view line, std::string_view lowerPattern, size_t at) {
    const char first = lowerPattern.front();
    if (line[at] != first && line[at] != asciiUpper(first))
        return false;
    for (size_t k = 1; k < lowerPattern.size(); ++k)
        if (asciiLower(line[at + k]) != lowerPattern[k])
            return false;
    return true;
}

} // namespace

size_t findFolded(std::string_view line, std::string_view lowerPattern, size_t from) {
    if (lowerPattern.empty())
        return from <= line.size() ? from : std::string_view::npos;
    if (line.size() < lowerPattern.size())
        return std::string_view::npos;
    const size_t last = line.size() - lowerPattern.size();
    // A byte of the pattern that has no other case can be looked for with memchr,
    // which goes through a line many times faster than comparing at every position.
    // Blanks and tag brackets are common in a page, so another such byte is better.
    size_t anchor = lowerPattern.size();
    int anchorCommonness = 3;
    for (size_t k = 0; k < lowerPattern.size(); ++k) {
        const char c = lowerPattern[k];
        if (asciiUpper(c) != c || asciiLower(c) != c)
            continue;
        const int commonness = c == ' ' ? 2 : (c == '<' || c == '>') ? 1 : 0;
        if (commonness < anchorCommonness) {
            anchor = k;
            anchorCommonness = commonness;
        }
    }
    if (anchor == lowerPattern.size()) {
        for (size_t i = from; i <= last; ++i)
            if (matchesFoldedAt(line, lowerPattern, i))
                return i;
        return std::string_view::npos;
    }
    for (size_t i = from; i <= last;) {
        const void* hit = std::memchr(line.data() + i + anchor, lowerPattern[anchor], last - i + 1);
        if (!hit)
            return std::string_view::npos;
        const size_t at = static_cast<size_t>(static_cast<const char*>(hit) - line.data()) - anchor;
        if (matchesFoldedAt(line, lowerPattern, at))
            return at;
        i = at + 1;
    }
    return std::string_view::npos;
}

bool containsFolded(std::string_view line, std::string_view lowerPattern) {
    return findFolded(line, lowerPattern) != std::string_view::npos;
}

std::string_view trimControls(std::string_view s) {
    size_t begin = 0;
    size_t end = s.size();
    while (begin < end && static_cast<unsigned char>(s[begin]) <= 32)
        ++begin;
    while (end > begin && static_cast<unsigned char>(s[end - 1]) <= 32)
        --end;
    return s.substr(begin, end - begin);
}

} // namespace lumora::text
