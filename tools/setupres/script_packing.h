#pragma once
// The shipped layout of an installer's files: every file the install script names is
// put into the distribution folder, compressed through the decompression library when
// its record says Compressed (so the installer expands it), copied with its date
// otherwise.

#include "setup/engine/decompression_library.h"
#include "setup/script/setup_data.h"

#include <cstdint>
#include <filesystem>
#include <map>
#include <string>

namespace setupres {

// Packs each script file found in `sourceDir` into `outDir`; returns the shipped size of
// every compressed file by name. Throws std::runtime_error when a compressed file cannot
// be made (no library, or the library fails).
std::map<std::string, std::uint64_t> packScriptFiles(const setupkit::TSetupData& script,
                                                     const std::filesystem::path& sourceDir,
                                                     const std::filesystem::path& outDir,
                                                     const setupkit::DecompressionLibrary& library);

} // namespace setupres
