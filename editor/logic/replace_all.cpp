#include "replace_all.h"

#include "common/ascii_case.h"
#include "editor/logic/term_search.h"
#include "text/page_lines.h"

#include <optional>

namespace lumora::editor {

namespace {

struct WalkSettings {
    std::string_view term;        // as searched for
    std::string_view replacement; // as inserted; empty: walk without replacing
    bool matchCase = false;
    bool wholeWord = false;
};

// Walks one stretch of text from its start, rewriting `segment` when occurrences are
// replaced. Returns the byte index in the rewritten segment just after the last
// occurrence met (after its replacement, if replaced), or nothing when none was met.
std::optional<size_t> walkSegment(std::string& segment, char beforeStart, char afterEnd,
                                  const WalkSettings& walk, std::string& folded,
                                  std::string& rewritten, size_t& replaced) {
    std::string_view searched = segment;
    if (!walk.matchCase) {
        folded.resize(segment.size());
        asciiLowerInto(folded.data(), segment.data(), segment.size());
        searched = folded;
    }

    rewritten.clear();
    size_t copiedUpTo = 0; // bytes of `segment` already in `rewritten`
    size_t position = 0;
    char before = beforeStart;
    std::optional<size_t> lastEnd;
    for (;;) {
        // What precedes `position` now: the original text, or the replacement just
        // inserted there.
        const SearchText rest{searched.substr(position), before, afterEnd};
        const size_t hit = findTermForward(rest, walk.term, 0, walk.wholeWord);
        if (hit == kNotFound)
            break;
        const size_t at = position + hit;
        position = at + walk.term.size();
        if (walk.replacement.empty()) {
            lastEnd = position;
            before = searched[position - 1];
            continue;
        }
        if (copiedUpTo == 0)
            rewritten.reserve(segment.size() + 2 * walk.replacement.size());
        rewritten.append(segment, copiedUpTo, at - copiedUpTo);
        rewritten += walk.replacement;
        copiedUpTo = position;
        lastEnd = rewritten.size();
        before = walk.replacement.back();
        ++replaced;
    }
    if (walk.replacement.empty() || !lastEnd)
        return lastEnd;
    rewritten.append(segment, copiedUpTo);
    segment.swap(rewritten);
    return lastEnd;
}

bool holdsLineBreak(std::string_view text) {
    return text.find_first_of("\r\n") != std::string_view::npos;
}

// Where a page offset lies: a line, a byte in it, and whether the offset falls inside
// the line break after it (then `byte` is the line's end). Only the lines up to the
// offset are counted.
struct LinePoint {
    size_t line = 0;
    size_t byte = 0;
    bool inBreak = false;
};

LinePoint locate(const Lines& page, size_t offset) {
    size_t lineStart = 0;
    for (size_t i = 0; i < page.size(); ++i) {
        const size_t chars = text::charCount(page[i]);
        if (offset < lineStart + chars + 2 || i + 1 == page.size()) {
            const size_t column = offset - lineStart;
            if (column > chars)
                return {i, page[i].size(), true};
            return {i, byteIndexOfChar(page[i], column), false};
        }
        lineStart += chars + 2;
    }
    return {};
}

struct FirstPress {
    bool failed = false;
    bool replaced = false;
};

// The first press of Replace All for a term and replacement without line breaks,
// worked on the lines in place: the same result as findInPage, without building the
// whole page text. Only whether the search failed matters, since the walk that
// follows starts at the top.
FirstPress firstPressByLines(Lines& page, Selection selection, const WalkSettings& walk,
                             bool upward) {
    FirstPress press;
    if (page.empty() || walk.term.empty()) {
        press.failed = true;
        return press;
    }
    const LinePoint begin = locate(page, selection.start);
    const LinePoint end = locate(page, selection.end());
    std::string folded;
    auto searched = [&](size_t line) -> std::string_view {
        if (walk.matchCase)
            return page[line];
        folded.resize(page[line].size());
        asciiLowerInto(folded.data(), page[line].data(), page[line].size());
        return folded;
    };
    auto where = [&](size_t line) {
        return SearchText{searched(line), line == 0 ? ' ' : '\n',
                          line + 1 == page.size() ? ' ' : '\r'};
    };

    const bool selectionIsTerm =
        selection.length > 0 && begin.line == end.line && !begin.inBreak && !end.inBreak &&
        equalsIgnoringCase(
            std::string_view(page[begin.line]).substr(begin.byte, end.byte - begin.byte),
            walk.term);
    if (selectionIsTerm && !walk.replacement.empty()) {
        page[begin.line].replace(begin.byte, end.byte - begin.byte, walk.replacement);
        press.replaced = true;
        return press;
    }
    if (upward) {
        for (size_t line = begin.line + 1; line-- > 0;) {
            const size_t limit = line == begin.line ? begin.byte : page[line].size();
            if (findTermBackward(where(line), walk.term, limit, walk.wholeWord) != kNotFound)
                return press;
        }
    } else {
        const size_t from = selectionIsTerm ? end.byte : begin.byte;
        for (size_t line = begin.line; line < page.size(); ++line) {
            if (findTermForward(where(line), walk.term, line == begin.line ? from : 0,
                                walk.wholeWord) != kNotFound)
                return press;
        }
    }
    press.failed = true;
    return press;
}

} // namespace

ReplaceAllOutcome replaceAll(Lines page, Selection selection, std::string_view term,
                             std::string_view replacement, const SearchOptions& options,
                             bool& continueFlag) {
    ReplaceAllOutcome outcome;
    const std::string usedTerm = options.matchCase ? std::string(term) : lowerCaseAtoZ(term);
    const std::string usedReplacement =
        options.matchCase ? std::string(replacement) : lowerCaseAtoZ(replacement);
    if (!holdsLineBreak(usedTerm) && !holdsLineBreak(usedReplacement)) {
        const WalkSettings walk{usedTerm, usedReplacement, options.matchCase, options.wholeWord};
        const FirstPress first = firstPressByLines(page, selection, walk, options.upward);
        if (first.failed)
            outcome.messages.push_back(cannotBeFoundMessage(usedTerm));
        if (first.replaced) {
            outcome.changed = true;
            ++outcome.replacements;
        }
    } else {
        const FindOutcome first =
            findInPage(page, selection, term, replacement, options, continueFlag);
        if (first.kind == FindOutcome::Kind::NotFound)
            outcome.messages.push_back(first.message);
        if (first.edit) {
            applyEdit(page, *first.edit);
            outcome.changed = true;
            ++outcome.replacements;
        }
    }

    continueFlag = true;

    // Searching upward from the top finds nothing, so the walk ends at once.
    if (!options.upward && !usedTerm.empty()) {
        const WalkSettings walk{usedTerm, usedReplacement, options.matchCase, options.wholeWord};
        std::string folded;
        std::string rewritten; // reused from segment to segment
        const size_t replacedBefore = outcome.replacements;
        if (!holdsLineBreak(usedTerm) && !holdsLineBreak(usedReplacement)) {
            // An occurrence never crosses a line break and no break is inserted, so each
            // line can be walked alone with its breaks as neighbours.
            struct LineByte {
                size_t line;
                size_t byte;
            };
            std::optional<LineByte> lastEnd;
            for (size_t i = 0; i < page.size(); ++i) {
                const char beforeStart = i == 0 ? ' ' : '\n';
                const char afterEnd = i + 1 == page.size() ? ' ' : '\r';
                if (auto end = walkSegment(page[i], beforeStart, afterEnd, walk, folded, rewritten,
                                           outcome.replacements))
                    lastEnd = LineByte{i, *end};
            }
            if (lastEnd) {
                size_t offset = 0;
                for (size_t i = 0; i < lastEnd->line; ++i)
                    offset += text::charCount(page[i]) + 2;
                const std::string_view line = page[lastEnd->line];
                outcome.selection = {offset + text::charCount(line.substr(0, lastEnd->byte)), 0};
            }
        } else {
            std::string whole = joinPageText(page);
            const auto end =
                walkSegment(whole, ' ', ' ', walk, folded, rewritten, outcome.replacements);
            if (end)
                outcome.selection = {text::charCount(std::string_view(whole).substr(0, *end)), 0};
            if (outcome.replacements > replacedBefore)
                page = splitKeepingLastLine(whole);
        }
        outcome.changed = outcome.changed || outcome.replacements > replacedBefore;
    }

    outcome.messages.push_back(cannotBeFoundMessage(usedTerm));
    continueFlag = false;
    outcome.page = std::move(page);
    return outcome;
}

} // namespace lumora::editor
