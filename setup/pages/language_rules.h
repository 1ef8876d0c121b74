#pragma once
// Which languages the language page offers and which one it proposes, without any
// controls: the language kinds the page can show or hide, and the default rules.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace setupkit {

enum TLanguageType : std::uint8_t {
    laEnglish,
    laCompiled,
    laFrench,
    laDutch,
    laNorwegian,
    laItalian,
    laSpanish,
    laGerman,
    laHungarian,
};
inline constexpr int LanguageTypeCount = 9;

// A set of TLanguageType, one bit per member.
using TLanguageTypes = std::uint16_t;
constexpr TLanguageTypes languageBit(TLanguageType type) {
    return static_cast<TLanguageTypes>(1u << type);
}
// English to Spanish; German and Hungarian are off.
inline constexpr TLanguageTypes DefaultShowLanguages =
    languageBit(laEnglish) | languageBit(laCompiled) | languageBit(laFrench) |
    languageBit(laDutch) | languageBit(laNorwegian) | languageBit(laItalian) |
    languageBit(laSpanish);

// The language name a member stands for; laCompiled stands for `compiledLanguage`.
std::string languageTypeName(TLanguageType type, std::string_view compiledLanguage);
// The member named by its identifier ("laFrench"), or nothing.
std::optional<TLanguageType> languageTypeFromIdentifier(std::string_view identifier);

// The available languages less the names of the members not in `show` (compared
// without regard to case), in their order.
std::vector<std::string> shownLanguages(const std::vector<std::string>& available,
                                        TLanguageTypes show, std::string_view compiledLanguage);

// Position of `name` in `names` without regard to case, or -1.
int languageIndex(const std::vector<std::string>& names, std::string_view name);

// The language the page proposes. `compiledOwnName` gives the name the compiled
// catalogue gives itself; it is asked only when the default is the compiled language
// and that language is hidden. A proposal that is not shown gives way to the first
// shown language, when there is one; a shown proposal comes spelt as the list has it.
std::string proposedLanguage(const std::string& defaultLanguage, TLanguageTypes show,
                             const std::string& compiledLanguage,
                             const std::vector<std::string>& shown,
                             const std::function<std::string()>& compiledOwnName);

} // namespace setupkit
