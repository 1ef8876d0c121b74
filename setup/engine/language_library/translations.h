#pragma once
// The catalogues the language library carries, each numbered exactly as the
// installer's English catalogue.

#include <array>
#include <string_view>

namespace tslang {

inline constexpr int TextsPerLanguage = 94;
using Catalogue = std::array<std::string_view, TextsPerLanguage>;

extern const Catalogue French;
extern const Catalogue German;
extern const Catalogue Spanish;
extern const Catalogue Italian;
extern const Catalogue Dutch;
extern const Catalogue Norwegian;
extern const Catalogue Hungarian;

} // namespace tslang
