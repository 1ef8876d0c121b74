#pragma once
// The one-byte tags of the tagged value encoding shared by the install script and the
// form resources: every value is a tag followed by its little-endian payload.

#include <cstdint>

namespace setupkit {

// A tag read from a stream may hold a value that none of the names below gives; the
// readers treat such a tag as a value of the wrong kind.
enum class ValueTag : std::uint8_t {
    EndOfList = 0,
    List = 1,
    Int8 = 2,
    Int16 = 3,
    Int32 = 4,
    String = 6,
    False = 8,
    True = 9,
    LString = 12,
};

} // namespace setupkit
