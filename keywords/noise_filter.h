#pragma once
// The noise-word list as the scanner uses it: each entry trimmed of characters with
// codes 0 to 32, compared exactly and case-sensitively with candidate words. Copies
// share one table: a scan takes its own copy, and the table is built once per list.

#include <memory>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

namespace lumora::keywords {

class NoiseFilter {
public:
    NoiseFilter() = default;
    explicit NoiseFilter(const std::vector<std::string>& entries);

    bool contains(std::string_view word) const;
    bool empty() const { return !words_ || words_->empty(); }

private:
    struct Hash {
        using is_transparent = void;
        size_t operator()(std::string_view s) const { return std::hash<std::string_view>{}(s); }
    };
    using Words = std::unordered_set<std::string, Hash, std::equal_to<>>;
    std::shared_ptr<const Words> words_;
};

} // namespace lumora::keywords
