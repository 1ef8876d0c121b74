#pragma once
// The installer's numbered message catalogue and its language switch: the English
// texts compiled into the program, an optional second compiled catalogue, and the
// catalogues of the optional language library. Owned by the setup controller.

#include "setup/engine/language_library.h"
#include "setup/engine/setup_interaction.h"
#include "setup/engine/string_table.h"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace setupkit {

// GetText's answer for a text the current catalogue lacks.
inline constexpr std::string_view StringNotFound = "*** String not found ***";

class MessageCatalogue {
public:
    // `interaction` shows the catalogue's own warnings; `loadLibrary` opens the
    // language library whenever it is needed; `compiledCatalogue`, when not empty, is
    // the second catalogue built into the program (its text 0 names it). Builds the
    // language list; the current language is English until one is loaded.
    MessageCatalogue(SetupInteraction& interaction, LanguageLibraryLoader loadLibrary,
                     std::vector<std::string> compiledCatalogue = {});
    MessageCatalogue(const MessageCatalogue&) = delete;
    MessageCatalogue& operator=(const MessageCatalogue&) = delete;
    ~MessageCatalogue();

    // Text `index` (0 to 93) of the current catalogue, or "*** String not found ***".
    std::string GetText(int index) const;

    // Fills Languages: "English", the compiled language, then the library's languages.
    void BuildLanguageList();

    // Switches the catalogue to `name`, falling back to the program's own catalogue
    // (with a warning) when the library cannot provide it.
    void LoadLanguage(const std::string& name);

    // Assigning Language: accepts a listed name (any letter case) or "(compiled)",
    // refuses anything else with an information box, then loads the result.
    void setLanguage(const std::string& name);

    // Takes a stored language name as it is, without switching the catalogue (for
    // reading the form; the start sequence loads it).
    void setStoredLanguage(const std::string& name) { language_ = name; }

    const std::string& Language() const { return language_; }
    const std::vector<std::string>& Languages() const { return languages_; }
    const std::string& CompiledLanguage() const { return compiledLanguage_; }
    int StringBase() const { return stringBase_; }
    // Whether the current catalogue comes from the language library.
    bool usesLanguageLibrary() const { return library_ != nullptr; }

    // Whether `name` is in Languages, without regard to case.
    bool hasLanguage(std::string_view name) const;

    SetupInteraction& interaction() const { return interaction_; }

private:
    const StringTable* languageModule() const;
    // The loader's library; a library that is there but unusable is reported to the
    // user (once) and treated as absent.
    std::unique_ptr<StringTable> loadLibrary();

    SetupInteraction& interaction_;
    LanguageLibraryLoader loadLibrary_;
    ProgramStringTable program_;
    std::unique_ptr<StringTable> library_; // the library while it is the LanguageModule
    std::vector<std::string> languages_;
    std::string compiledLanguage_ = "(compiled)";
    std::string language_ = "English";
    int stringBase_ = EnglishStringBase;
    bool libraryReported_ = false;
};

} // namespace setupkit
