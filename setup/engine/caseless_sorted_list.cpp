#include "setup/engine/caseless_sorted_list.h"

#include "common/ascii_case.h"

#include <algorithm>

namespace setupkit {

using lumora::asciiUpper;

bool CaselessSortedList::LessIgnoringCase::operator()(const std::string& a,
                                                      const std::string& b) const {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return asciiUpper(x) < asciiUpper(y);
    });
}

bool CaselessSortedList::add(const std::string& entry) {
    if (!entries_.insert(entry).second)
        return false;
    itemsCurrent_ = false;
    return true;
}

bool CaselessSortedList::contains(const std::string& entry) const {
    return entries_.count(entry) > 0;
}

void CaselessSortedList::clear() {
    entries_.clear();
    items_.clear();
    itemsCurrent_ = true;
}

const std::vector<std::string>& CaselessSortedList::items() const {
    if (!itemsCurrent_) {
        items_.assign(entries_.begin(), entries_.end());
        itemsCurrent_ = true;
    }
    return items_;
}

} // namespace setupkit
