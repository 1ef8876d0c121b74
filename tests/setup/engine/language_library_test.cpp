#include "platform/file_checksum.h"
#include "platform/optional_library.h"
#include "setup/engine/english_catalogue.h"
#include "setup/engine/language_library.h"
#include "setup/engine/language_library/tslang32_api.h"
#include "setup/engine/message_catalogue.h"
#include "setup/engine/scripted_setup_interaction.h"
#include "setup/engine/setup_message_dlg.h"
#include "temp_dir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

using namespace setupkit;

namespace {

std::filesystem::path binDir() {
    const char* dir = std::getenv("LUMORA_BIN_DIR");
    return dir ? std::filesystem::path(dir) : std::filesystem::current_path();
}

// The format placeholders of a text, in order: a translation must keep them.
std::vector<std::string> placeholders(std::string_view text) {
    std::vector<std::string> found;
    for (size_t at = text.find('%'); at != std::string_view::npos && at + 1 < text.size();
         at = text.find('%', at + 2))
        found.emplace_back(text.substr(at, 2));
    return found;
}

size_t ampersands(std::string_view text) {
    return std::count(text.begin(), text.end(), '&');
}

// The character after the ampersand, ASCII letters folded to lower case.
std::string acceleratorOf(std::string_view caption) {
    const size_t at = caption.find('&');
    if (at == std::string_view::npos || at + 1 >= caption.size())
        return {};
    size_t length = 1;
    while (at + 1 + length < caption.size() &&
           (static_cast<unsigned char>(caption[at + 1 + length]) & 0xC0) == 0x80)
        ++length;
    std::string key(caption.substr(at + 1, length));
    if (key.size() == 1 && key[0] >= 'A' && key[0] <= 'Z')
        key[0] = static_cast<char>(key[0] + 32);
    return key;
}

const std::vector<std::string> ShippedLanguages = {
    "English", "Français", "Deutsch", "Español", "Italiano", "Dutch", "Norwegian", "Hungarian",
};

} // namespace

TEST(LanguageLibrary, ShippedLibraryListsItsLanguages) {
    ScriptedSetupInteraction interaction;
    MessageCatalogue catalogue(interaction, languageLibraryIn(binDir()));
    EXPECT_EQ(catalogue.Languages(), ShippedLanguages);
}

TEST(LanguageLibrary, SwitchingToDeutsch) {
    ScriptedSetupInteraction interaction;
    MessageCatalogue catalogue(interaction, languageLibraryIn(binDir()));
    catalogue.setLanguage("Deutsch");
    EXPECT_EQ(catalogue.Language(), "Deutsch");
    EXPECT_EQ(catalogue.StringBase(), 1000);
    EXPECT_EQ(catalogue.GetText(9), "&Weiter");
    EXPECT_EQ(catalogue.GetText(11), "&Abbrechen");
    EXPECT_EQ(catalogue.GetText(2), "Die Installation wurde erfolgreich abgeschlossen.");
    EXPECT_TRUE(interaction.messages().empty());

    // The kit's box now speaks German too.
    interaction.answer("Abbrechen?", mrYes);
    SetupMessageDlg(catalogue, "Abbrechen?", mtConfirmation, mbYes | mbNo);
    EXPECT_EQ(interaction.messages()[0].title, "Bestätigung");
    EXPECT_EQ(interaction.messages()[0].buttonCaptions, (std::vector<std::string>{"&Ja", "&Nein"}));
}

TEST(LanguageLibrary, EveryLanguageTranslatesTheWholeCatalogue) {
    std::unique_ptr<StringTable> library = openLanguageLibrary(binDir() / LanguageLibraryFileName);
    ASSERT_TRUE(library);
    for (size_t language = 1; language < ShippedLanguages.size(); ++language) {
        const int base = static_cast<int>(language - 1) * 1000;
        EXPECT_EQ(library->loadString(base), ShippedLanguages[language]);
        for (int i = 1; i < CatalogueSize; ++i) {
            const std::optional<std::string> text = library->loadString(base + i);
            const std::string_view english = EnglishCatalogue[static_cast<size_t>(i)];
            ASSERT_TRUE(text) << ShippedLanguages[language] << " text " << i;
            EXPECT_NE(*text, "") << ShippedLanguages[language] << " text " << i;
            EXPECT_EQ(placeholders(*text), placeholders(english))
                << ShippedLanguages[language] << " text " << i << ": " << *text;
            EXPECT_EQ(ampersands(*text), ampersands(english))
                << ShippedLanguages[language] << " text " << i << ": " << *text;
        }
        EXPECT_FALSE(library->loadString(base + CatalogueSize));
    }
    EXPECT_FALSE(library->loadString(static_cast<int>(ShippedLanguages.size() - 1) * 1000));
}

TEST(LanguageLibrary, LongTextIsCutAtACharacterBoundary) {
    const lumora::platform::OptionalLibrary library(binDir() / LanguageLibraryFileName);
    ASSERT_TRUE(library) << library.error();
    auto loadString =
        reinterpret_cast<TsLangLoadStringFunction>(library.symbol(TSLANG_LOAD_STRING_SYMBOL));
    ASSERT_TRUE(loadString);
    char buffer[8];
    // "Français" in five bytes would end inside the two bytes of its "ç".
    EXPECT_EQ(loadString(0, buffer, 6), 4);
    EXPECT_STREQ(buffer, "Fran");
    EXPECT_EQ(loadString(0, buffer, 7), 6);
    EXPECT_STREQ(buffer, "Franç");
    EXPECT_EQ(loadString(93, buffer, 0), 0);
    EXPECT_EQ(loadString(-5, buffer, 8), 0);
    EXPECT_STREQ(buffer, "");
}

TEST(LanguageLibrary, AMissingLibraryMeansEnglishOnlyWithoutAWord) {
    lumora::testing::TempDir dir;
    EXPECT_FALSE(openLanguageLibrary(dir / LanguageLibraryFileName));
    ScriptedSetupInteraction interaction;
    MessageCatalogue catalogue(interaction, languageLibraryIn(dir.path()));
    EXPECT_EQ(catalogue.Languages(), std::vector<std::string>{"English"});
    EXPECT_TRUE(interaction.messages().empty());
}

// A library that is there but cannot be used is named in a warning (once, though the
// catalogue looks for it at every language switch), and setup goes on in English.
TEST(LanguageLibrary, AnUnusableLibraryIsNamedAndEnglishGoesOn) {
    namespace platform = lumora::platform;
    const std::string whole = lumora::testing::readFile(binDir() / LanguageLibraryFileName);
    struct Case {
        const char* name;
        std::string bytes;
        bool recordWhole; // the distribution's list records the whole library
        std::string why;
    };
    const Case cases[] = {
        {"cut short", whole.substr(0, whole.size() / 2), false,
         "it is cut short (" + std::to_string(whole.size() / 2) + " bytes)"},
        {"cut short, recorded", whole.substr(0, 100), true,
         "it holds 100 bytes, not " + std::to_string(whole.size())},
        // The loader's own words follow the name.
        {"not a library", "not a library", false, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        lumora::testing::TempDir dir;
        lumora::testing::writeFile(dir / LanguageLibraryFileName, c.bytes);
        if (c.recordWhole)
            lumora::testing::writeFile(
                dir / std::string(platform::ChecksumListName),
                platform::formatChecksumList(
                    {{LanguageLibraryFileName, {whole.size(), platform::crc32(whole)}}}));
        EXPECT_THROW(openLanguageLibrary(dir / LanguageLibraryFileName), ELanguageLibraryError);

        ScriptedSetupInteraction interaction;
        interaction.answer(mrOk);
        MessageCatalogue catalogue(interaction, languageLibraryIn(dir.path()));
        catalogue.BuildLanguageList();
        EXPECT_EQ(catalogue.Languages(), std::vector<std::string>{"English"});
        EXPECT_EQ(catalogue.GetText(49), "Compression error.");
        ASSERT_EQ(interaction.messages().size(), 1u);
        const std::string& text = interaction.messages()[0].text;
        EXPECT_EQ(interaction.messages()[0].kind, mtWarning);
        EXPECT_TRUE(text.starts_with("The language library cannot be used: TSLANG32.DLL: "))
            << text;
        EXPECT_NE(text.find(c.why), std::string::npos) << text;
        EXPECT_TRUE(text.ends_with("Setup goes on in English.")) << text;
    }
}

TEST(LanguageLibrary, ButtonsShownTogetherHaveDistinctAccelerators) {
    // Wizard buttons with the directory page's Browse and the engine page's Reinstall,
    // and the button sets the pages ask their questions with.
    const std::vector<std::vector<int>> together = {
        {8, 9, 11, 26},   {8, 10, 11, 26}, {8, 9, 11, 74}, {8, 10, 11, 74}, {15, 16, 11},
        {15, 16, 14, 11}, {17, 11},        {18, 12, 13},   {12, 11},        {15, 16, 19},
    };
    ScriptedSetupInteraction interaction;
    MessageCatalogue catalogue(interaction, languageLibraryIn(binDir()));
    for (const std::string& language : ShippedLanguages) {
        catalogue.setLanguage(language);
        ASSERT_EQ(catalogue.Language(), language);
        for (const std::vector<int>& texts : together) {
            std::vector<std::string> keys;
            for (const int text : texts) {
                const std::string key = acceleratorOf(catalogue.GetText(text));
                EXPECT_NE(key, "") << language << " text " << text;
                EXPECT_EQ(std::count(keys.begin(), keys.end(), key), 0)
                    << language << ": \"" << catalogue.GetText(text) << "\" clashes";
                keys.push_back(key);
            }
        }
    }
}
