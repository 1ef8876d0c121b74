#include "meta_tag_page_steps.h"

#include "common/ascii_case.h"
#include "tags/meta_tag_texts.h"
#include "text/ascii_case.h"

#include <algorithm>
#include <array>
#include <iterator>

namespace lumora::tags {

namespace {

constexpr std::string_view kTitleOpen = "<title>";
constexpr std::string_view kTitleClose = "</title>";

constexpr std::string_view kTitleMarker = "-clear title line-";
constexpr std::string_view kDescriptionMarker = "-clear description line-";
constexpr std::string_view kKeywordsMarker = "-clear keywrds line-";
constexpr std::string_view kHiddenWordsMarker = "-clear hidentxt line-";

constexpr std::array<std::string_view, 4> kMarkers = {kTitleMarker, kDescriptionMarker,
                                                      kKeywordsMarker, kHiddenWordsMarker};
// What every marker (and "-clear lines-") holds: a line without it holds none of them,
// so most lines are passed over with one search instead of five.
constexpr std::string_view kMarkerCore = "-clear ";

// Lines whose following empty line goes with the old tag it replaced.
constexpr std::array<std::string_view, 4> kGeneratedLineStarts = {
    "<title>", "<meta name=\"description", "<meta name=\"keywords", "lumora v.01.01 -->"};

bool containsAny(std::string_view line, const auto& patterns) {
    return std::any_of(patterns.begin(), patterns.end(),
                       [&](std::string_view p) { return text::containsFolded(line, p); });
}

// The title element goes; the text around it stays, lower-cased. A "<title>" without a
// closing tag after it takes the rest of the line with it.
void cutTitle(std::string& line) {
    const size_t open = text::findFolded(line, kTitleOpen);
    const size_t close = text::findFolded(line, kTitleClose, open + kTitleOpen.size());
    std::string cut = line.substr(0, open);
    if (close != std::string::npos)
        cut += std::string_view(line).substr(close + kTitleClose.size());
    line = asciiLowered(cut);
}

} // namespace

bool markReplacedLines(text::Lines& page, const ReplacedTags& tags) {
    // Only lines that hold "<title>" now can be cut, so they are collected once.
    std::vector<size_t> titleLines;
    if (tags.title)
        for (size_t i = 0; i < page.size(); ++i)
            if (text::containsFolded(page[i], kTitleOpen))
                titleLines.push_back(i);

    bool titleCut = false;
    for (size_t i = 0; i < page.size(); ++i) {
        if (tags.title && text::containsFolded(page[i], kTitleOpen)) {
            for (size_t j : titleLines)
                if (text::containsFolded(page[j], kTitleOpen))
                    cutTitle(page[j]);
            titleCut = true;
            if (text::containsFolded(page[i], kTitleOpen))
                page[i] = kTitleMarker;
        }
        if (tags.keywords && text::containsFolded(page[i], "meta name=\"keywords"))
            page[i] = kKeywordsMarker;
        if (tags.description && text::containsFolded(page[i], "meta name=\"description"))
            page[i] = kDescriptionMarker;
        if (tags.hiddenWords && text::containsFolded(page[i], "lumora v.01.01 -->"))
            page[i] = kHiddenWordsMarker;
    }
    return titleCut;
}

void removeMarkedLines(text::Lines& page) {
    std::erase_if(page,
                  [](const std::string& line) { return equalsIgnoringCase(line, "-clear line-"); });

    // One pass from the top in which each line may lose the empty line after it and then be
    // removed itself if it is a marker. `rest` holds the lines still to visit, the next last,
    // so that removing the current or the following line costs nothing.
    text::Lines done;
    done.reserve(page.size());
    text::Lines rest(std::make_move_iterator(page.rbegin()), std::make_move_iterator(page.rend()));
    while (!rest.empty()) {
        // The empty line is looked at first: it is rare, the search is not.
        for (std::string_view start : kGeneratedLineStarts)
            if (rest.size() >= 2 && rest[rest.size() - 2].empty() &&
                text::containsFolded(rest.back(), start))
                rest.erase(rest.end() - 2);
        if (text::containsFolded(rest.back(), kMarkerCore))
            for (std::string_view marker : kMarkers)
                if (!rest.empty() && text::containsFolded(rest.back(), marker))
                    rest.pop_back();
        if (rest.empty())
            break;
        done.push_back(std::move(rest.back()));
        rest.pop_back();
    }

    std::erase_if(done, [](const std::string& line) {
        if (!text::containsFolded(line, kMarkerCore))
            return false;
        return text::containsFolded(line, "-clear lines-") || containsAny(line, kMarkers);
    });
    page = std::move(done);
}

void dropShortLinesAfterTitles(text::Lines& page) {
    text::Lines kept;
    kept.reserve(page.size());
    for (size_t i = 0; i < page.size(); ++i) {
        const bool title = text::containsFolded(page[i], kTitleOpen);
        kept.push_back(std::move(page[i]));
        if (title && i + 1 < page.size() && text::charCount(page[i + 1]) < 2)
            ++i;
    }
    page = std::move(kept);
}

void addFooter(text::Lines& page) {
    const bool hasLink = std::any_of(page.begin(), page.end(), [](const std::string& line) {
        return equalsIgnoringCase(line, kFooterLinkLine);
    });
    if (hasLink)
        return;
    const auto body = std::find_if(page.begin(), page.end(), [](const std::string& line) {
        return text::containsFolded(line, "</body>");
    });
    if (body == page.end())
        return;
    page.insert(body, {std::string(kFooterCommentLine), std::string(kFooterLinkLine)});
}

} // namespace lumora::tags
