#pragma once
// The named character references of HTML (`amp;`, `nbsp;`, the legacy `amp` without
// its semicolon, ...), looked up by their exact name.

#include <optional>
#include <string_view>

namespace lumora::keywords {

// The UTF-8 text a name stands for (the name as written after `&`, with its `;` when
// it has one), or nothing when there is no such reference.
std::optional<std::string_view> namedReference(std::string_view name);

} // namespace lumora::keywords
