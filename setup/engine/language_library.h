#pragma once
// The optional language library TSLANG32.DLL seen as a string table, found in the
// program's directory.

#include "platform/file_checksum.h"
#include "setup/engine/string_table.h"

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <stdexcept>

namespace setupkit {

// File name of the language library, exactly as it is shipped.
inline constexpr const char* LanguageLibraryFileName = "TSLANG32.DLL";

// A language library file that is there but cannot be used (damaged, cut short, or
// not a language library of this interface version); what() names the file and says
// why: "TSLANG32.DLL: it holds 4096 bytes, not 16384".
class ELanguageLibraryError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Loads the language library; gives null when it is absent, and throws
// ELanguageLibraryError when it is there but cannot be used.
using LanguageLibraryLoader = std::function<std::unique_ptr<StringTable>()>;

// Opens the library file at `path`, checked against `recorded` when given; null when
// there is no such file, ELanguageLibraryError when it cannot be used.
std::unique_ptr<StringTable>
openLanguageLibrary(const std::filesystem::path& path,
                    std::optional<lumora::platform::FileFacts> recorded = std::nullopt);

// A loader that looks for TSLANG32.DLL in `programDirectory` each time it is asked,
// checked against the distribution's checksum list there when there is one.
LanguageLibraryLoader languageLibraryIn(const std::filesystem::path& programDirectory);

// A loader for programs that ship without a language library.
LanguageLibraryLoader noLanguageLibrary();

} // namespace setupkit
