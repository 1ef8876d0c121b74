#include "noise_filter.h"

#include "text/ascii_case.h"

namespace lumora::keywords {

NoiseFilter::NoiseFilter(const std::vector<std::string>& entries) {
    for (const auto& entry : entries) {
        std::string_view word = text::trimControls(entry);
        if (!word.empty())
            words_.emplace(word);
    }
}

bool NoiseFilter::contains(std::string_view word) const {
    return words_.find(word) != words_.end();
}

} // namespace lumora::keywords
