#include "replace_all.h"

#include "editor/logic/term_search.h"
#include "text/ascii_case.h"

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
                                  const WalkSettings& walk, std::string& folded, size_t& replaced) {
    std::string_view searched = segment;
    if (!walk.matchCase) {
        folded.assign(segment);
        for (char& c : folded)
            c = text::asciiLower(c);
        searched = folded;
    }

    std::string rewritten;
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
    segment = std::move(rewritten);
    return lastEnd;
}

bool holdsLineBreak(std::string_view text) {
    return text.find_first_of("\r\n") != std::string_view::npos;
}

} // namespace

ReplaceAllOutcome replaceAll(Lines page, Selection selection, std::string_view term,
                             std::string_view replacement, const SearchOptions& options,
                             bool& continueFlag) {
    ReplaceAllOutcome outcome;
    const FindOutcome first = findInPage(page, selection, term, replacement, options, continueFlag);
    if (first.kind == FindOutcome::Kind::NotFound)
        outcome.messages.push_back(first.message);
    if (first.edit) {
        applyEdit(page, *first.edit);
        outcome.changed = true;
        ++outcome.replacements;
    }

    continueFlag = true;
    const std::string usedTerm = options.matchCase ? std::string(term) : lowerCaseAtoZ(term);
    const std::string usedReplacement =
        options.matchCase ? std::string(replacement) : lowerCaseAtoZ(replacement);

    // Searching upward from the top finds nothing, so the walk ends at once.
    if (!options.upward && !usedTerm.empty()) {
        const WalkSettings walk{usedTerm, usedReplacement, options.matchCase, options.wholeWord};
        std::string folded;
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
                if (auto end = walkSegment(page[i], beforeStart, afterEnd, walk, folded,
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
            const auto end = walkSegment(whole, ' ', ' ', walk, folded, outcome.replacements);
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
