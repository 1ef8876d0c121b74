#pragma once
// A list of paths kept sorted without regard to ASCII case, each path once (the
// first spelling stays): the install log's created directories and files.

#include <string>
#include <vector>

namespace setupkit {

class CaselessSortedList {
public:
    // False when an equal entry (ignoring case) is already there.
    bool add(const std::string& entry);
    bool contains(const std::string& entry) const;
    void clear() { items_.clear(); }
    const std::vector<std::string>& items() const { return items_; }
    size_t size() const { return items_.size(); }

private:
    std::vector<std::string> items_;
};

} // namespace setupkit
