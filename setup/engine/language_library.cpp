#include "setup/engine/language_library.h"

#include "setup/engine/language_library/tslang32_api.h"
#include "setup/engine/optional_library.h"

#include <algorithm>
#include <array>

namespace setupkit {
namespace {

class LanguageLibrary : public StringTable {
public:
    LanguageLibrary(std::unique_ptr<OptionalLibrary> library, TsLangLoadStringFunction loadString)
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
    std::unique_ptr<OptionalLibrary> library_;
    TsLangLoadStringFunction loadString_;
};

} // namespace

std::unique_ptr<StringTable> openLanguageLibrary(const std::filesystem::path& path) {
    std::unique_ptr<OptionalLibrary> library = OptionalLibrary::open(path);
    if (!library)
        return nullptr;
    auto version =
        reinterpret_cast<TsLangInterfaceVersionFunction>(library->symbol(TSLANG_VERSION_SYMBOL));
    auto loadString =
        reinterpret_cast<TsLangLoadStringFunction>(library->symbol(TSLANG_LOAD_STRING_SYMBOL));
    if (!version || !loadString || version() != TSLANG_INTERFACE_VERSION)
        return nullptr;
    return std::make_unique<LanguageLibrary>(std::move(library), loadString);
}

LanguageLibraryLoader languageLibraryIn(const std::filesystem::path& programDirectory) {
    return
        [path = programDirectory / LanguageLibraryFileName] { return openLanguageLibrary(path); };
}

LanguageLibraryLoader noLanguageLibrary() {
    return [] { return std::unique_ptr<StringTable>(); };
}

} // namespace setupkit
