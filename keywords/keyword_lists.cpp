#include "keywords/keyword_lists.h"

#include "text/ascii_case.h"

#include <algorithm>
#include <iterator>

namespace lumora::keywords {

namespace {

std::optional<std::size_t> validCurrent(const KeywordListState& list) {
    if (list.current && *list.current < list.items.size())
        return list.current;
    return std::nullopt;
}

// Selected rows shifted by one after an item was inserted at the top.
std::set<std::size_t> shiftedDown(const std::set<std::size_t>& rows, std::size_t size) {
    std::set<std::size_t> shifted;
    for (std::size_t row : rows)
        if (row < size)
            shifted.insert(shifted.end(), row + 1);
    return shifted;
}

void insertAtTop(KeywordListState& list, std::string item) {
    list.selected = shiftedDown(list.selected, list.items.size());
    if (auto current = validCurrent(list))
        list.current = *current + 1;
    else
        list.current.reset();
    list.items.insert(list.items.begin(), std::move(item));
}

bool deleteCurrent(KeywordListState& list) {
    const auto current = validCurrent(list);
    list.current.reset();
    if (!current)
        return false;
    std::set<std::size_t> remaining;
    for (std::size_t row : list.selected) {
        if (row < *current)
            remaining.insert(remaining.end(), row);
        else if (row > *current && row < list.items.size())
            remaining.insert(remaining.end(), row - 1);
    }
    list.selected = std::move(remaining);
    list.items.erase(list.items.begin() + static_cast<std::ptrdiff_t>(*current));
    return true;
}

} // namespace

std::string forwardReport(const std::vector<std::string>& chosen) {
    std::string report;
    for (const std::string& item : chosen) {
        report += item;
        report += ", ";
    }
    return report;
}

std::string reverseReport(const std::vector<std::string>& chosen) {
    std::string report;
    for (auto item = chosen.rbegin(); item != chosen.rend(); ++item) {
        report += *item;
        report += ", ";
    }
    if (!report.empty())
        report.pop_back();
    return report;
}

std::optional<std::string> copyFoundToChosen(const KeywordListState& found,
                                             KeywordListState& chosen) {
    const auto current = validCurrent(found);
    if (!current)
        return std::nullopt;
    insertAtTop(chosen, found.items[*current]);
    return forwardReport(chosen.items);
}

std::optional<std::string> raiseInChosen(KeywordListState& chosen) {
    if (!moveCurrentToTop(chosen))
        return std::nullopt;
    return forwardReport(chosen.items);
}

bool moveCurrentToTop(KeywordListState& list) {
    const auto current = validCurrent(list);
    if (!current)
        return false;
    if (*current == 0)
        return true;
    std::string item = std::move(list.items[*current]);
    list.current = *current;
    deleteCurrent(list);
    insertAtTop(list, std::move(item));
    list.current = 0;
    return true;
}

CombineOutcome combineSelected(KeywordListState& found) {
    if (found.items.empty())
        return CombineOutcome::EmptyList;
    if (!found.selected.contains(0))
        return CombineOutcome::TopNotSelected;

    const std::size_t selectedCount = static_cast<std::size_t>(
        std::distance(found.selected.begin(), found.selected.lower_bound(found.items.size())));
    const std::size_t lastExamined = std::min(selectedCount, found.items.size() - 1);
    std::string phrase;
    bool first = true;
    for (std::size_t row : found.selected) {
        if (row > lastExamined)
            break;
        if (!first)
            phrase += ' ';
        phrase += found.items[row];
        first = false;
    }
    const std::string_view trimmed = text::trimControls(phrase);
    if (trimmed.empty())
        return CombineOutcome::NothingToJoin;
    insertAtTop(found, std::string(trimmed));
    return CombineOutcome::Combined;
}

std::string deleteFromFocusedList(ListFocus focus, KeywordListState& found,
                                  KeywordListState& chosen) {
    if (focus == ListFocus::Found)
        deleteCurrent(found);
    else if (focus == ListFocus::Chosen)
        deleteCurrent(chosen);
    return reverseReport(chosen.items);
}

} // namespace lumora::keywords
