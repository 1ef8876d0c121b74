#include "setup/engine/english_catalogue.h"
#include "setup/engine/message_catalogue.h"
#include "setup/engine/scripted_setup_interaction.h"

#include <gtest/gtest.h>

#include <map>

using namespace setupkit;

namespace {

const char* const Text7 = "Unable to load language DLL.  Reverting to the default language.";

// A language library made of a few catalogues, each with its name and a few texts.
struct FakeLibrary {
    std::map<int, std::string> strings;
    int loads = 0;

    void addLanguage(int base, const std::string& name, const std::string& nextCaption) {
        strings[base] = name;
        strings[base + 9] = nextCaption;
    }

    LanguageLibraryLoader loader() {
        return [this]() -> std::unique_ptr<StringTable> {
            ++loads;
            struct Table : StringTable {
                std::map<int, std::string> strings;
                std::optional<std::string> loadString(int id) const override {
                    auto found = strings.find(id);
                    if (found == strings.end())
                        return std::nullopt;
                    return found->second;
                }
            };
            auto table = std::make_unique<Table>();
            table->strings = strings;
            return table;
        };
    }
};

std::vector<std::string> compiledCatalogue(const std::string& name) {
    std::vector<std::string> texts(EnglishCatalogue.begin(), EnglishCatalogue.end());
    texts[0] = name;
    texts[9] = "&Next (compiled)";
    return texts;
}

} // namespace

TEST(MessageCatalogue, EnglishTextsAndMissingNumbers) {
    ScriptedSetupInteraction interaction;
    MessageCatalogue catalogue(interaction, noLanguageLibrary());
    EXPECT_EQ(catalogue.GetText(0), "English");
    EXPECT_EQ(catalogue.GetText(7), Text7);
    EXPECT_EQ(catalogue.GetText(93), "Unable to launch the uninstall program.");
    EXPECT_EQ(catalogue.GetText(94), "*** String not found ***");
    EXPECT_EQ(catalogue.GetText(-1), "*** String not found ***");
}

TEST(MessageCatalogue, WithoutLibraryOnlyEnglishAndAssigningEnglishIsSilent) {
    ScriptedSetupInteraction interaction;
    MessageCatalogue catalogue(interaction, noLanguageLibrary());
    EXPECT_EQ(catalogue.Languages(), std::vector<std::string>{"English"});
    EXPECT_EQ(catalogue.CompiledLanguage(), "(compiled)");
    catalogue.setLanguage("English");
    EXPECT_TRUE(interaction.messages().empty());
    EXPECT_EQ(catalogue.Language(), "English");
    EXPECT_EQ(catalogue.StringBase(), 5000);
}

TEST(MessageCatalogue, ListsLibraryLanguagesOnceUntilTheFirstGap) {
    FakeLibrary library;
    library.addLanguage(0, "Deutsch", "&Weiter");
    library.addLanguage(1000, "deutsch", "&weiter"); // the same name in another case
    library.addLanguage(2000, "Dutch", "Vo&lgende");
    library.addLanguage(4000, "Hidden", "&Hidden"); // beyond the gap at 3000
    ScriptedSetupInteraction interaction;
    MessageCatalogue catalogue(interaction, library.loader());
    EXPECT_EQ(catalogue.Languages(), (std::vector<std::string>{"English", "Deutsch", "Dutch"}));
    EXPECT_TRUE(catalogue.hasLanguage("DUTCH"));
    EXPECT_FALSE(catalogue.hasLanguage("Hidden"));
}

TEST(MessageCatalogue, LoadsALibraryLanguageAndBack) {
    FakeLibrary library;
    library.addLanguage(0, "Deutsch", "&Weiter");
    library.addLanguage(1000, "Dutch", "Vo&lgende");
    ScriptedSetupInteraction interaction;
    MessageCatalogue catalogue(interaction, library.loader());

    catalogue.setLanguage("Dutch");
    EXPECT_EQ(catalogue.Language(), "Dutch");
    EXPECT_EQ(catalogue.StringBase(), 1000);
    EXPECT_TRUE(catalogue.usesLanguageLibrary());
    EXPECT_EQ(catalogue.GetText(9), "Vo&lgende");
    // A text the library lacks is reported, not taken from English.
    EXPECT_EQ(catalogue.GetText(10), "*** String not found ***");

    catalogue.setLanguage("English");
    EXPECT_FALSE(catalogue.usesLanguageLibrary());
    EXPECT_EQ(catalogue.GetText(9), "&Next");
    EXPECT_TRUE(interaction.messages().empty());
}

TEST(MessageCatalogue, NameInAnotherCaseFallsBackToEnglishWithText7) {
    FakeLibrary library;
    library.addLanguage(0, "Deutsch", "&Weiter");
    ScriptedSetupInteraction interaction;
    interaction.answer(Text7, mrOk);
    MessageCatalogue catalogue(interaction, library.loader());

    catalogue.setLanguage("DEUTSCH");
    EXPECT_EQ(catalogue.Language(), "English");
    EXPECT_EQ(catalogue.StringBase(), 5000);
    EXPECT_EQ(catalogue.GetText(9), "&Next");
    ASSERT_EQ(interaction.messages().size(), 1u);
    const RecordedMessage& warning = interaction.messages()[0];
    EXPECT_EQ(warning.box, RecordedMessage::Box::Setup);
    EXPECT_EQ(warning.kind, mtWarning);
    EXPECT_EQ(warning.title, "Warning");
    EXPECT_EQ(warning.buttonCaptions, std::vector<std::string>{"&OK"});
}

TEST(MessageCatalogue, LibraryGoneSinceTheListWasBuiltFallsBack) {
    FakeLibrary library;
    library.addLanguage(0, "Deutsch", "&Weiter");
    ScriptedSetupInteraction interaction;
    interaction.answer(Text7, mrOk);
    MessageCatalogue catalogue(interaction, library.loader());
    library.strings.clear(); // still loads, but has no catalogue any more
    catalogue.setLanguage("Deutsch");
    EXPECT_EQ(catalogue.Language(), "English");
    EXPECT_FALSE(catalogue.usesLanguageLibrary());
    EXPECT_EQ(interaction.pendingAnswers(), 0u);
}

TEST(MessageCatalogue, UnlistedNameIsRefusedAndTheLanguageStays) {
    FakeLibrary library;
    library.addLanguage(0, "Deutsch", "&Weiter");
    ScriptedSetupInteraction interaction;
    MessageCatalogue catalogue(interaction, library.loader());
    catalogue.setLanguage("Deutsch");

    interaction.answer("The language Klingon is not in the list of available languages.\r\n"
                       "Switching to the default language.",
                       mrOk);
    catalogue.setLanguage("Klingon");
    EXPECT_EQ(catalogue.Language(), "Deutsch");
    EXPECT_EQ(catalogue.GetText(9), "&Weiter");
    ASSERT_EQ(interaction.messages().size(), 1u);
    EXPECT_EQ(interaction.messages()[0].box, RecordedMessage::Box::Standard);
    EXPECT_EQ(interaction.messages()[0].kind, mtInformation);
    EXPECT_EQ(interaction.messages()[0].buttons, mbOK);
}

TEST(MessageCatalogue, CompiledSecondLanguage) {
    FakeLibrary library;
    library.addLanguage(0, "Deutsch", "&Weiter");
    ScriptedSetupInteraction interaction;
    MessageCatalogue catalogue(interaction, library.loader(), compiledCatalogue("Svenska"));
    EXPECT_EQ(catalogue.Languages(), (std::vector<std::string>{"English", "Svenska", "Deutsch"}));
    EXPECT_EQ(catalogue.CompiledLanguage(), "Svenska");

    const int loadsBefore = library.loads;
    catalogue.setLanguage("(compiled)");
    EXPECT_EQ(catalogue.Language(), "Svenska");
    EXPECT_EQ(catalogue.StringBase(), 6000);
    EXPECT_EQ(catalogue.GetText(9), "&Next (compiled)");
    EXPECT_EQ(library.loads, loadsBefore); // the compiled catalogue needs no library
    EXPECT_TRUE(interaction.messages().empty());
}

TEST(MessageCatalogue, CompiledWithoutSecondLanguageWarns) {
    ScriptedSetupInteraction interaction;
    interaction.answer(Text7, mrOk);
    MessageCatalogue catalogue(interaction, noLanguageLibrary());
    catalogue.setLanguage("(compiled)");
    EXPECT_EQ(catalogue.Language(), "English");
    EXPECT_EQ(interaction.pendingAnswers(), 0u);
}

TEST(MessageCatalogue, StoredLanguageIsLoadedLater) {
    FakeLibrary library;
    library.addLanguage(0, "Deutsch", "&Weiter");
    ScriptedSetupInteraction interaction;
    MessageCatalogue catalogue(interaction, library.loader());
    catalogue.setStoredLanguage("Deutsch");
    EXPECT_EQ(catalogue.GetText(9), "&Next");
    catalogue.LoadLanguage(catalogue.Language());
    EXPECT_EQ(catalogue.GetText(9), "&Weiter");
}
