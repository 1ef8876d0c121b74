#pragma once
// What a fuzz target does when a reader and its writer disagree: say which rule broke
// and abort, so that libFuzzer keeps the input.

#include <cstdio>
#include <cstdlib>
#include <string_view>

namespace lumora::fuzz {

inline void require(bool holds, const char* rule) {
    if (holds)
        return;
    std::fprintf(stderr, "fuzz: %s\n", rule);
    std::abort();
}

inline std::string_view asText(const unsigned char* data, std::size_t size) {
    return {reinterpret_cast<const char*>(data), size};
}

} // namespace lumora::fuzz
