#pragma once
// A directory of this fuzz process's own for readers that take a file, removed at exit.

#include <filesystem>
#include <string_view>

namespace lumora::fuzz {

const std::filesystem::path& scratchDirectory();
// Writes the bytes as the file of that name in the scratch directory.
std::filesystem::path scratchFile(std::string_view name, std::string_view bytes);

} // namespace lumora::fuzz
