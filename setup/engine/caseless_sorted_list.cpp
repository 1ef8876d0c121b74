#include "setup/engine/caseless_sorted_list.h"

#include "platform/ascii_nocase.h"

#include <algorithm>

namespace setupkit {

using lumora::platform::equalsIgnoringCase;
using lumora::platform::upperAscii;

namespace {

bool lessIgnoringCase(const std::string& a, const std::string& b) {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return upperAscii(x) < upperAscii(y);
    });
}

} // namespace

bool CaselessSortedList::add(const std::string& entry) {
    auto at = std::lower_bound(items_.begin(), items_.end(), entry, lessIgnoringCase);
    if (at != items_.end() && equalsIgnoringCase(*at, entry))
        return false;
    items_.insert(at, entry);
    return true;
}

bool CaselessSortedList::contains(const std::string& entry) const {
    auto at = std::lower_bound(items_.begin(), items_.end(), entry, lessIgnoringCase);
    return at != items_.end() && equalsIgnoringCase(*at, entry);
}

} // namespace setupkit
