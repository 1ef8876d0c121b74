#include "setup/pages/language_rules.h"

#include "common/ascii_case.h"

#include <algorithm>
#include <array>

namespace setupkit {

using lumora::equalsIgnoringCase;

namespace {

struct LanguageTypeInfo {
    std::string_view identifier;
    std::string_view name;
};

constexpr std::array<LanguageTypeInfo, LanguageTypeCount> LanguageTypes = {{
    {"laEnglish", "English"},
    {"laCompiled", ""},
    {"laFrench", "Français"},
    {"laDutch", "Dutch"},
    {"laNorwegian", "Norwegian"},
    {"laItalian", "Italiano"},
    {"laSpanish", "Español"},
    {"laGerman", "Deutsch"},
    {"laHungarian", "Hungarian"},
}};

} // namespace

std::string languageTypeName(TLanguageType type, std::string_view compiledLanguage) {
    if (type == laCompiled)
        return std::string(compiledLanguage);
    return std::string(LanguageTypes.at(type).name);
}

std::optional<TLanguageType> languageTypeFromIdentifier(std::string_view identifier) {
    for (int i = 0; i < LanguageTypeCount; ++i)
        if (LanguageTypes[static_cast<std::size_t>(i)].identifier == identifier)
            return static_cast<TLanguageType>(i);
    return std::nullopt;
}

int languageIndex(const std::vector<std::string>& names, std::string_view name) {
    for (std::size_t i = 0; i < names.size(); ++i)
        if (equalsIgnoringCase(names[i], name))
            return static_cast<int>(i);
    return -1;
}

std::vector<std::string> shownLanguages(const std::vector<std::string>& available,
                                        TLanguageTypes show, std::string_view compiledLanguage) {
    std::vector<std::string> shown = available;
    for (int i = 0; i < LanguageTypeCount; ++i) {
        const auto type = static_cast<TLanguageType>(i);
        if (show & languageBit(type))
            continue;
        const int at = languageIndex(shown, languageTypeName(type, compiledLanguage));
        if (at >= 0)
            shown.erase(shown.begin() + at);
    }
    return shown;
}

std::string proposedLanguage(const std::string& defaultLanguage, TLanguageTypes show,
                             const std::string& compiledLanguage,
                             const std::vector<std::string>& shown,
                             const std::function<std::string()>& compiledOwnName) {
    std::string proposal = defaultLanguage != compiledLanguage || (show & languageBit(laCompiled))
                               ? defaultLanguage
                               : compiledOwnName();
    // A listed name is taken as the list spells it: the catalogue loads by exact name.
    if (const int at = languageIndex(shown, proposal); at >= 0)
        return shown[static_cast<size_t>(at)];
    return shown.empty() ? proposal : shown.front();
}

} // namespace setupkit
