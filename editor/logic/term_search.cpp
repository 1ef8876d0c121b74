#include "term_search.h"

#include <array>
#include <utility>

namespace lumora::editor {

namespace {

constexpr std::array<std::pair<char, char>, 14> kWordFrames = {{
    {' ', ' '},
    {' ', '\r'},
    {'\n', '\r'},
    {'\n', ' '},
    {' ', '<'},
    {'>', ' '},
    {'>', '<'},
    {' ', '.'},
    {' ', ','},
    {' ', ';'},
    {' ', '?'},
    {' ', '!'},
    {' ', '"'},
    {'"', ' '},
}};

bool framedAt(const SearchText& where, size_t at, size_t termSize) {
    const char before = at == 0 ? where.beforeStart : where.text[at - 1];
    const size_t afterIndex = at + termSize;
    const char after = afterIndex >= where.text.size() ? where.afterEnd : where.text[afterIndex];
    return isWordFrame(before, after);
}

} // namespace

bool isWordFrame(char before, char after) {
    for (const auto& [frameBefore, frameAfter] : kWordFrames)
        if (before == frameBefore && after == frameAfter)
            return true;
    return false;
}

size_t findTermForward(const SearchText& where, std::string_view term, size_t from,
                       bool wholeWord) {
    if (term.empty())
        return kNotFound;
    for (size_t at = where.text.find(term, from); at != kNotFound;
         at = where.text.find(term, at + 1)) {
        if (!wholeWord || framedAt(where, at, term.size()))
            return at;
    }
    return kNotFound;
}

size_t findTermBackward(const SearchText& where, std::string_view term, size_t endLimit,
                        bool wholeWord) {
    if (term.empty() || endLimit < term.size())
        return kNotFound;
    for (size_t at = where.text.rfind(term, endLimit - term.size()); at != kNotFound;
         at = at == 0 ? kNotFound : where.text.rfind(term, at - 1)) {
        if (!wholeWord || framedAt(where, at, term.size()))
            return at;
    }
    return kNotFound;
}

} // namespace lumora::editor
