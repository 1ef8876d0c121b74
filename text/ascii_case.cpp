#include "ascii_case.h"

namespace lumora::text {

size_t findFolded(std::string_view line, std::string_view lowerPattern, size_t from) {
    if (lowerPattern.empty())
        return from <= line.size() ? from : std::string_view::npos;
    if (line.size() < lowerPattern.size())
        return std::string_view::npos;
    const char first = lowerPattern.front();
    const char firstUpper = asciiUpper(first);
    const size_t last = line.size() - lowerPattern.size();
    for (size_t i = from; i <= last; ++i) {
        if (line[i] != first && line[i] != firstUpper)
            continue;
        size_t k = 1;
        while (k < lowerPattern.size() && asciiLower(line[i + k]) == lowerPattern[k])
            ++k;
        if (k == lowerPattern.size())
            return i;
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
