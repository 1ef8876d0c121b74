#pragma once
// The optional language library TSLANG32.DLL seen as a string table, found in the
// program's directory.

#include "setup/engine/string_table.h"

#include <filesystem>
#include <functional>
#include <memory>

namespace setupkit {

// File name of the language library, exactly as it is shipped.
inline constexpr const char* LanguageLibraryFileName = "TSLANG32.DLL";

// Loads the language library; gives null when it is absent or cannot be used.
using LanguageLibraryLoader = std::function<std::unique_ptr<StringTable>()>;

// Opens the library file at `path`; null when missing, unloadable, or not a
// language library of this interface version.
std::unique_ptr<StringTable> openLanguageLibrary(const std::filesystem::path& path);

// A loader that looks for TSLANG32.DLL in `programDirectory` each time it is asked.
LanguageLibraryLoader languageLibraryIn(const std::filesystem::path& programDirectory);

// A loader for programs that ship without a language library.
LanguageLibraryLoader noLanguageLibrary();

} // namespace setupkit
