#pragma once
// A list of paths kept sorted without regard to ASCII case, each path once (the
// first spelling stays): the install log's created directories and files. Adding is
// logarithmic in any order, so a log of many entries reads back in n log n.

#include <set>
#include <string>
#include <vector>

namespace setupkit {

class CaselessSortedList {
public:
    // False when an equal entry (ignoring case) is already there.
    bool add(const std::string& entry);
    bool contains(const std::string& entry) const;
    void clear();
    // Sorted; made again only after a change.
    const std::vector<std::string>& items() const;
    size_t size() const { return entries_.size(); }

private:
    struct LessIgnoringCase {
        bool operator()(const std::string& a, const std::string& b) const;
    };
    std::set<std::string, LessIgnoringCase> entries_;
    mutable std::vector<std::string> items_;
    mutable bool itemsCurrent_ = true;
};

} // namespace setupkit
