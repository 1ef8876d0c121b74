#pragma once
// The value tags of a component stream: those of the install script's encoding plus the
// ones only forms use (floating point, identifiers, binary data, sets, nil, collections
// and 64-bit integers).

#include "setup/script/value_tags.h"

#include <cstdint>

namespace setupkit::form {

enum class FormTag : std::uint8_t {
    Null = static_cast<std::uint8_t>(ValueTag::EndOfList),
    List = static_cast<std::uint8_t>(ValueTag::List),
    Int8 = static_cast<std::uint8_t>(ValueTag::Int8),
    Int16 = static_cast<std::uint8_t>(ValueTag::Int16),
    Int32 = static_cast<std::uint8_t>(ValueTag::Int32),
    Extended = 5, // 10 bytes: 80-bit floating point
    String = static_cast<std::uint8_t>(ValueTag::String),
    Ident = 7, // short string
    False = static_cast<std::uint8_t>(ValueTag::False),
    True = static_cast<std::uint8_t>(ValueTag::True),
    Binary = 10, // 4-byte length, then the bytes
    Set = 11,    // short strings closed by an empty one
    LString = static_cast<std::uint8_t>(ValueTag::LString),
    Nil = 13,
    Collection = 14, // items, each a list of properties, closed by a null
    Int64 = 19,
};

// Streams and texts nested deeper than this (components in components, lists in lists)
// are refused.
inline constexpr int kMaxFormNesting = 64;

} // namespace setupkit::form
