#include "proposal_text.h"

#include "tags/html_word_list.h"
#include "text/ascii_case.h"

#include <array>

namespace lumora::tags {

namespace {

std::string_view lineAt(const text::Lines& page, long long index) {
    if (index < 0 || index >= static_cast<long long>(page.size()))
        return {};
    return page[static_cast<size_t>(index)];
}

bool hasStop(std::string_view line) {
    return line.find('.') != std::string_view::npos;
}

// A line whose first full stop ends it, or an empty one, holds no sentence running on.
bool isClosed(std::string_view line) {
    const size_t stop = line.find('.');
    return line.empty() || (stop != std::string_view::npos && stop + 1 == line.size());
}

bool containsImageName(std::string_view s) {
    return s.find('.') != std::string_view::npos &&
           (s.find(".gif") != std::string_view::npos || s.find(".jpg") != std::string_view::npos);
}

// The finder's separators (no tilde, unlike the scanner's), as a table: every character of
// every proposal is looked up.
constexpr std::array<bool, 256> kSeparatorTable = [] {
    std::array<bool, 256> table{};
    for (char c : std::string_view(".<>=/-,;:()!\"#$%&'&0123456789"))
        table[static_cast<unsigned char>(c)] = true;
    return table;
}();

bool isSeparator(char c) {
    return kSeparatorTable[static_cast<unsigned char>(c)];
}

std::string replaceImageWords(std::string_view candidate) {
    std::string out;
    out.reserve(candidate.size());
    size_t start = 0;
    while (true) {
        const size_t space = candidate.find(' ', start);
        const std::string_view word = candidate.substr(start, space - start);
        out += containsImageName(word) ? std::string_view("-") : word;
        if (space == std::string_view::npos)
            break;
        out += ' ';
        start = space + 1;
    }
    return out;
}

} // namespace

std::string candidateText(const text::Lines& loweredPage, size_t index) {
    const long long i = static_cast<long long>(index);
    const std::string_view twoBefore = lineAt(loweredPage, i - 2);
    const std::string_view before = lineAt(loweredPage, i - 1);
    const std::string_view current = lineAt(loweredPage, i);
    const std::string_view after = lineAt(loweredPage, i + 1);

    std::string candidate;
    const bool currentClosed = isClosed(current);
    const bool lineAlone = (currentClosed && (isClosed(before) || isClosed(after))) ||
                           (!hasStop(twoBefore) && !hasStop(before) && !hasStop(after));
    if (lineAlone) {
        candidate = current;
    } else {
        const size_t stopA = twoBefore.find('.');
        const size_t stopD = after.find('.');
        candidate.reserve(twoBefore.size() + before.size() + current.size() + after.size() + 3);
        if (stopA != std::string_view::npos)
            candidate += twoBefore.substr(stopA + 1);
        candidate += ' ';
        if (hasStop(before))
            candidate += before;
        candidate += ' ';
        if (hasStop(current))
            candidate += current;
        candidate += ' ';
        if (stopD != std::string_view::npos)
            candidate += after.substr(0, stopD + 1);
    }
    for (std::string_view skipped : {"<title>", "<!--", "<meta name="})
        if (candidate.find(skipped) != std::string::npos)
            return {};
    return candidate;
}

bool holdsKeyword(std::string_view candidate, std::string_view keyword) {
    return !keyword.empty() && candidate.find(keyword) != std::string_view::npos;
}

std::string cleanCandidate(std::string_view candidate) {
    std::string text =
        containsImageName(candidate) ? replaceImageWords(candidate) : std::string(candidate);
    static constexpr std::string_view kFont = "times new roman";
    if (const size_t font = text.find(kFont); font != std::string::npos)
        text.erase(font, kFont.size());
    for (char& c : text)
        if (isSeparator(c))
            c = ' ';

    std::string proposal;
    std::string_view rest = text::trimControls(text);
    while (!rest.empty()) {
        const size_t space = rest.find(' ');
        const std::string_view word = text::trimControls(rest.substr(0, space));
        rest = space == std::string_view::npos ? std::string_view() : rest.substr(space + 1);
        if (word.empty() || isHtmlWord(word) || containsImageName(word))
            continue;
        proposal += ' ';
        proposal += word;
    }
    return proposal;
}

std::string shapeProposal(FinderKind kind, std::string proposal, std::string_view k0,
                          std::string_view k1, std::string_view k2) {
    const size_t length = text::charCount(proposal);
    if (length < 3) {
        std::string shaped = kind == FinderKind::Title ? "find it here. check out the "
                                                       : "a must see. check out the ";
        shaped.append(k0).append(", ").append(k1).append(" and ").append(k2).append(". see it now");
        return shaped;
    }
    if (length > 250) {
        std::string shaped = "we have what your looking for. check out the ";
        shaped.append(k2).append(", ").append(k1).append(" and ").append(k0);
        return shaped;
    }
    return proposal;
}

} // namespace lumora::tags
