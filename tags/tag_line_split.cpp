#include "tag_line_split.h"

#include "text/ascii_case.h"

#include <array>
#include <optional>

namespace lumora::tags {

namespace {

constexpr size_t npos = std::string_view::npos;

struct Span {
    size_t begin;
    size_t end;
};

constexpr std::string_view kTitleOpen = "<title>";
constexpr std::string_view kTitleClose = "</title>";
constexpr std::string_view kKeywordsTag = "meta name=\"keywords";
constexpr std::string_view kDescriptionTag = "meta name=\"description";
constexpr std::string_view kHiddenWordsEnd = "lumora v.01.01 -->";

// A title element runs from "<title>" to the end of the next "</title>".
std::optional<Span> titleFrom(std::string_view line, size_t from) {
    const size_t open = text::findFolded(line, kTitleOpen, from);
    if (open == npos)
        return std::nullopt;
    const size_t close = text::findFolded(line, kTitleClose, open + kTitleOpen.size());
    if (close == npos)
        return std::nullopt;
    return Span{open, close + kTitleClose.size()};
}

// A meta tag runs from the last "<" before its name to the first ">" after it; without them
// it runs to the start or the end of the line, since the tag then continues on other lines.
std::optional<Span> metaTagFrom(std::string_view line, size_t from, std::string_view name) {
    const size_t found = text::findFolded(line, name, from);
    if (found == npos)
        return std::nullopt;
    const size_t open = found == 0 ? npos : line.rfind('<', found - 1);
    const size_t close = line.find('>', found + name.size());
    return Span{open == npos ? 0 : open, close == npos ? line.size() : close + 1};
}

std::optional<Span> hiddenWordsFrom(std::string_view line, size_t from) {
    const size_t found = text::findFolded(line, kHiddenWordsEnd, from);
    if (found == npos)
        return std::nullopt;
    const size_t open = line.rfind("<!--", found);
    return Span{open == npos ? 0 : open, found + kHiddenWordsEnd.size()};
}

// The tags to replace on one line, left to right and not overlapping.
std::vector<Span> replacedSpans(std::string_view line, const ReplacedTags& tags) {
    enum Kind { Title, Keywords, Description, Hidden, KindCount };
    const std::array<bool, KindCount> wanted = {tags.title, tags.keywords, tags.description,
                                                tags.hiddenWords};
    auto spanOf = [&](int kind, size_t from) -> std::optional<Span> {
        switch (kind) {
        case Title:
            return titleFrom(line, from);
        case Keywords:
            return metaTagFrom(line, from, kKeywordsTag);
        case Description:
            return metaTagFrom(line, from, kDescriptionTag);
        default:
            return hiddenWordsFrom(line, from);
        }
    };

    std::array<std::optional<Span>, KindCount> next;
    for (int kind = 0; kind < KindCount; ++kind)
        if (wanted[kind])
            next[kind] = spanOf(kind, 0);

    std::vector<Span> spans;
    size_t position = 0;
    while (true) {
        int earliest = -1;
        for (int kind = 0; kind < KindCount; ++kind)
            if (next[kind] && (earliest < 0 || next[kind]->begin < next[earliest]->begin))
                earliest = kind;
        if (earliest < 0)
            break;
        Span span = *next[earliest];
        span.begin = std::max(span.begin, position);
        spans.push_back(span);
        position = span.end;
        // A kind whose next tag started inside this one is looked for again behind it.
        for (int kind = 0; kind < KindCount; ++kind)
            if (next[kind] && (kind == earliest || next[kind]->begin < position))
                next[kind] = spanOf(kind, position);
    }
    return spans;
}

bool isBlank(std::string_view s) {
    return text::trimControls(s).empty();
}

} // namespace

text::Lines splitReplacedTags(text::Lines page, const ReplacedTags& tags) {
    text::Lines out;
    out.reserve(page.size());
    for (std::string& line : page) {
        const std::vector<Span> spans = replacedSpans(line, tags);
        const std::string_view view = line;
        const bool alone = spans.size() == 1 && isBlank(view.substr(0, spans[0].begin)) &&
                           isBlank(view.substr(spans[0].end));
        if (spans.empty() || alone) {
            out.push_back(std::move(line));
            continue;
        }
        size_t position = 0;
        auto keep = [&](std::string_view piece) {
            if (!isBlank(piece))
                out.emplace_back(piece);
        };
        for (const Span& span : spans) {
            keep(view.substr(position, span.begin - position));
            keep(view.substr(span.begin, span.end - span.begin));
            position = span.end;
        }
        keep(view.substr(position));
    }
    return out;
}

} // namespace lumora::tags
