#pragma once
// The installer's English message catalogue, the one compiled into every program
// built with the kit. Every language catalogue follows it number for number.

#include <array>
#include <string_view>

namespace setupkit {

// Number of texts in every catalogue (0 to 93).
inline constexpr int CatalogueSize = 94;

// Text i of the English catalogue; text 0 is the language's own name.
extern const std::array<std::string_view, CatalogueSize> EnglishCatalogue;

} // namespace setupkit
