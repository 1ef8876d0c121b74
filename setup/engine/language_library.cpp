#include "setup/engine/language_library.h"

#include "platform/optional_library.h"
#include "setup/engine/language_library/tslang32_api.h"

#include <algorithm>
#include <array>

namespace setupkit {
namespace {

using lumora::platform::OptionalLibrary;

class LanguageLibrary : public StringTable {
public:
    LanguageLibrary(OptionalLibrary library, TsLangLoadStringFunction loadString)
        : library_(std::move(library)), loadString_(loadString) {}

    std::optional<std::string> loadString(int id) const override {
        std::array<char, StringBufferSize> buffer{};
        const int length = loadString_(id, buffer.data(), static_cast<int>(buffer.size()));
        if (length <= 0)
            return std::nullopt;
        // Never trust the reported length beyond the buffer we handed out.
        const size_t copied = std::min(static_cast<size_t>(length), buffer.size() - 1);
        return std::string(buffer.data(), copied);
    }

private:
    OptionalLibrary library_;
    TsLangLoadStringFunction loadString_;
};

} // namespace

std::unique_ptr<StringTable>
openLanguageLibrary(const std::filesystem::path& path,
                    std::optional<lumora::platform::FileFacts> recorded) {
    // A path with a directory part keeps the loader from searching anywhere else.
    OptionalLibrary library(std::filesystem::absolute(path), recorded);
    if (library.missing())
        return nullptr;
    if (!library)
        throw ELanguageLibraryError(library.error());
    auto version =
        reinterpret_cast<TsLangInterfaceVersionFunction>(library.symbol(TSLANG_VERSION_SYMBOL));
    auto loadString =
        reinterpret_cast<TsLangLoadStringFunction>(library.symbol(TSLANG_LOAD_STRING_SYMBOL));
    if (!version || !loadString || version() != TSLANG_INTERFACE_VERSION)
        throw ELanguageLibraryError(path.filename().string() +
                                    ": not a language library of this setup's version");
    return std::make_unique<LanguageLibrary>(std::move(library), loadString);
}

LanguageLibraryLoader languageLibraryIn(const std::filesystem::path& programDirectory) {
    return [programDirectory] {
        std::optional<lumora::platform::FileFacts> recorded;
        if (const auto list = lumora::platform::readChecksumList(programDirectory))
            if (const auto entry = list->find(LanguageLibraryFileName); entry != list->end())
                recorded = entry->second;
        return openLanguageLibrary(programDirectory / LanguageLibraryFileName, recorded);
    };
}

LanguageLibraryLoader noLanguageLibrary() {
    return [] { return std::unique_ptr<StringTable>(); };
}

} // namespace setupkit
