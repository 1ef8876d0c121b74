#pragma once
// The manual-mode commands on the two keyword lists: copying a found word into the
// chosen list, moving to the top, combining selected words into a phrase, deleting,
// and the two report texts of the chosen list. Each command works on a list's items,
// selection and focus mark as plain data, and says what the window has to show.

#include <cstddef>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace lumora::keywords {

// One keyword list box: its items top first, the selected rows, and the row with the
// focus mark (the item clicked last). Rows outside the items are ignored.
struct KeywordListState {
    std::vector<std::string> items;
    std::set<std::size_t> selected;
    std::optional<std::size_t> current;
};

// Every item, top to bottom, each followed by ", ". Shown after a double-click.
std::string forwardReport(const std::vector<std::string>& chosen);

// Every item, bottom to top, each followed by ", ", with the final blank dropped.
// Shown after "X".
std::string reverseReport(const std::vector<std::string>& chosen);

// Double-click in the found list (ListBox3): a copy of its current item goes to the top
// of the chosen list (ListBox4), also when the word is there already. Returns the
// forward report to show, or nothing (and changes nothing) without a current item.
std::optional<std::string> copyFoundToChosen(const KeywordListState& found,
                                             KeywordListState& chosen);

// Double-click in the chosen list: its current item moves to the top. Returns the
// forward report to show, or nothing (and changes nothing) without a current item.
std::optional<std::string> raiseInChosen(KeywordListState& chosen);

// "To Top" on the found list, and the move behind raiseInChosen: the current item goes
// to the top and is no longer selected; the other items keep their selection and the
// focus mark follows the moved item. An item already at the top stays as it is.
// Returns false (nothing changed) without a current item.
bool moveCurrentToTop(KeywordListState& list);

enum class CombineOutcome {
    EmptyList,      // nothing happens
    TopNotSelected, // show kCombineNeedsTopSelected
    NothingToJoin,  // the joined words were only blanks: nothing added
    Combined,       // the phrase is the new, unselected top item
};

// "Combine" on the found list. With k items selected, the selected ones among the top
// k + 1 rows are joined top to bottom with one blank, and the trimmed phrase becomes a
// new item at the top. Selected items further down are left out. The joined items stay
// where they were and stay selected.
CombineOutcome combineSelected(KeywordListState& found);

// Which keyword list had the keyboard focus last.
enum class ListFocus { Neither, Found, Chosen };

// "X": deletes only the current item of the list that had the focus last, however many
// are selected; afterwards that list has no focus mark, so a second "X" deletes nothing
// until an item is clicked again. Returns the reverse report of the chosen list, which
// is shown whether or not anything was deleted.
std::string deleteFromFocusedList(ListFocus focus, KeywordListState& found,
                                  KeywordListState& chosen);

} // namespace lumora::keywords
