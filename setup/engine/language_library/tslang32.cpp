// The language library's entry points: its string table laid out as the installer
// expects, one language per thousand.

#include "setup/engine/language_library/translations.h"
#include "setup/engine/language_library/tslang32_api.h"

#include <array>
#include <cstring>

namespace {

constexpr std::array<const tslang::Catalogue*, 7> Languages = {
    &tslang::French, &tslang::German,    &tslang::Spanish,   &tslang::Italian,
    &tslang::Dutch,  &tslang::Norwegian, &tslang::Hungarian,
};

constexpr int LanguageSpacing = 1000;

// Longest prefix of `text` that fits `capacity` bytes without splitting a character.
size_t fittingLength(std::string_view text, size_t capacity) {
    if (text.size() <= capacity)
        return text.size();
    size_t length = capacity;
    while (length > 0 && (static_cast<unsigned char>(text[length]) & 0xC0) == 0x80)
        --length;
    return length;
}

} // namespace

extern "C" {

__attribute__((visibility("default"))) int TsLangInterfaceVersion(void) {
    return TSLANG_INTERFACE_VERSION;
}

__attribute__((visibility("default"))) int TsLangLoadString(int id, char* buffer, int bufferSize) {
    if (!buffer || bufferSize <= 0)
        return 0;
    buffer[0] = '\0';
    if (id < 0)
        return 0;
    const size_t language = static_cast<size_t>(id / LanguageSpacing);
    const size_t index = static_cast<size_t>(id % LanguageSpacing);
    if (language >= Languages.size() || index >= tslang::TextsPerLanguage)
        return 0;
    const std::string_view text = (*Languages[language])[index];
    const size_t length = fittingLength(text, static_cast<size_t>(bufferSize) - 1);
    std::memcpy(buffer, text.data(), length);
    buffer[length] = '\0';
    return static_cast<int>(length);
}

} // extern "C"
