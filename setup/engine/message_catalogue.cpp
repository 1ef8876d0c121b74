#include "setup/engine/message_catalogue.h"

#include "common/ascii_case.h"
#include "setup/engine/english_catalogue.h"
#include "setup/engine/setup_message_dlg.h"

namespace setupkit {
namespace {

constexpr std::string_view English = "English";
constexpr std::string_view CompiledName = "(compiled)";

// String numbers are 16 bits wide: no language can start beyond 65000.
constexpr int MaxLibraryLanguages = 66;
constexpr int LanguageSpacing = 1000;

} // namespace

MessageCatalogue::MessageCatalogue(SetupInteraction& interaction, LanguageLibraryLoader loadLibrary,
                                   std::vector<std::string> compiledCatalogue)
    : interaction_(interaction), loadLibrary_(std::move(loadLibrary)),
      program_(std::move(compiledCatalogue)) {
    BuildLanguageList();
}

MessageCatalogue::~MessageCatalogue() = default;

std::unique_ptr<StringTable> MessageCatalogue::loadLibrary() {
    if (!loadLibrary_)
        return nullptr;
    try {
        return loadLibrary_();
    } catch (const ELanguageLibraryError& error) {
        // Said once: the catalogue asks for the library again at each language switch.
        if (!libraryReported_)
            interaction_.showStandardMessage(std::string("The language library cannot be used: ") +
                                                 error.what() + ".\r\nSetup goes on in English.",
                                             mtWarning, mbOK);
        libraryReported_ = true;
        return nullptr;
    }
}

const StringTable* MessageCatalogue::languageModule() const {
    if (library_)
        return library_.get();
    return &program_;
}

std::string MessageCatalogue::GetText(int index) const {
    // Numbers beyond the catalogue would reach into the next language's texts.
    if (index < 0 || index >= CatalogueSize)
        return std::string(StringNotFound);
    const StringTable* module = languageModule();
    std::optional<std::string> text =
        module ? module->loadString(stringBase_ + index) : std::nullopt;
    return text ? *text : std::string(StringNotFound);
}

bool MessageCatalogue::hasLanguage(std::string_view name) const {
    for (const std::string& language : languages_)
        if (lumora::equalsIgnoringCase(language, name))
            return true;
    return false;
}

void MessageCatalogue::BuildLanguageList() {
    languages_.clear();
    languages_.emplace_back(English);
    if (std::optional<std::string> compiled = program_.loadString(CompiledStringBase)) {
        languages_.push_back(*compiled);
        compiledLanguage_ = *compiled;
    }
    std::unique_ptr<StringTable> library = loadLibrary();
    if (!library)
        return;
    for (int c = 0; c < MaxLibraryLanguages; ++c) {
        std::optional<std::string> name = library->loadString(c * LanguageSpacing);
        if (!name)
            break;
        if (!hasLanguage(*name))
            languages_.push_back(*name);
    }
}

void MessageCatalogue::LoadLanguage(const std::string& requested) {
    // Assigning Language passes Language itself: keep the name apart from what changes.
    const std::string name = requested;
    library_.reset();
    std::string loaded;
    if (hasLanguage(name) && name != English && name != compiledLanguage_) {
        if (std::unique_ptr<StringTable> library = loadLibrary()) {
            for (int c = 0; c < MaxLibraryLanguages; ++c) {
                std::optional<std::string> candidate = library->loadString(c * LanguageSpacing);
                if (!candidate)
                    break;
                if (*candidate == name) {
                    stringBase_ = c * LanguageSpacing;
                    loaded = name;
                    library_ = std::move(library);
                    break;
                }
            }
        }
    }
    if (!library_) {
        if (program_.loadString(CompiledStringBase) == name) {
            loaded = compiledLanguage_;
            stringBase_ = CompiledStringBase;
        } else {
            loaded = English;
            stringBase_ = EnglishStringBase;
        }
    }
    language_ = loaded;
    if (name != language_)
        SetupMessageDlg(*this, GetText(7), mtWarning, mbOK);
}

void MessageCatalogue::setLanguage(const std::string& name) {
    if (hasLanguage(name))
        language_ = name;
    else if (name != CompiledName)
        interaction_.showStandardMessage("The language " + name +
                                             " is not in the list of available languages.\r\n"
                                             "Switching to the default language.",
                                         mtInformation, mbOK);
    else
        language_ = compiledLanguage_;
    LoadLanguage(language_);
}

} // namespace setupkit
