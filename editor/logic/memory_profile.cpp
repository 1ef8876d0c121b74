#include "memory_profile.h"

#include "common/ascii_case.h"

namespace lumora::editor {

std::string MemoryProfile::folded(std::string_view section, std::string_view key) {
    // A line break cannot be part of a section name, so it keeps the two apart.
    return asciiLowered(section) + '\n' + asciiLowered(key);
}

std::string MemoryProfile::readValue(std::string_view section, std::string_view key) {
    const auto found = values_.find(folded(section, key));
    return found == values_.end() ? std::string() : found->second;
}

void MemoryProfile::writeValue(std::string_view section, std::string_view key,
                               std::string_view value) {
    values_[folded(section, key)] = std::string(value);
    ++writes_;
}

bool MemoryProfile::hasKey(std::string_view section, std::string_view key) const {
    return values_.contains(folded(section, key));
}

} // namespace lumora::editor
