#pragma once
// Fills the "%s" and "%d" places of a catalogue text in order with the given values.
// Values are inserted as they are, so a path holding "%" cannot disturb the rest.

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

namespace setupkit {

// "%s" and "%d" take the next value ("%%" gives "%"); places beyond the values and any
// other "%" stay as written.
std::string formatCatalogueText(std::string_view pattern,
                                std::initializer_list<std::string_view> values);

inline std::string decimal(std::int64_t value) {
    return std::to_string(value);
}

} // namespace setupkit
