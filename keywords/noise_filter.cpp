#include "noise_filter.h"

#include "text/ascii_case.h"

namespace lumora::keywords {

NoiseFilter::NoiseFilter(const std::vector<std::string>& entries) {
    auto words = std::make_shared<Words>();
    for (const auto& entry : entries) {
        std::string_view word = text::trimControls(entry);
        if (!word.empty())
            words->emplace(word);
    }
    words_ = std::move(words);
}

bool NoiseFilter::contains(std::string_view word) const {
    return words_ && words_->find(word) != words_->end();
}

} // namespace lumora::keywords
