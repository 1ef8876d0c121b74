#pragma once
// The scan's result list: words kept once ignoring case (the first form added
// stays) and sorted ascending ignoring case, in the user's collation order.

#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

namespace lumora::keywords {

// The word with every letter in lower case (not only A-Z), as UTF-32, for
// comparisons that ignore case.
std::u32string caseFoldKey(std::string_view utf8);

// Orders two case-fold keys: by the user's collation, then by code point.
bool keyLess(const std::u32string& a, const std::u32string& b);

class KeywordSet {
public:
    // False when a word equal ignoring case is already present.
    bool add(std::string_view word);
    std::vector<std::string> sorted() const;

private:
    struct Item {
        std::u32string key;
        std::string word;
    };
    std::vector<Item> items_;
    std::unordered_set<std::u32string> keys_;
};

} // namespace lumora::keywords
