#pragma once
// A directory of this fuzz process's own under TMPDIR for readers that take a file. It is
// removed at a normal exit; libFuzzer's time limit ends the process without exit handlers,
// so the fuzz step gives each run a TMPDIR of its own.

#include <filesystem>
#include <string>
#include <string_view>

namespace lumora::fuzz {

const std::filesystem::path& scratchDirectory();
// Writes the bytes as the file of that name in the scratch directory.
std::filesystem::path scratchFile(std::string_view name, std::string_view bytes);
// The bytes of a file; empty when it cannot be read.
std::string contentsOf(const std::filesystem::path& file);

} // namespace lumora::fuzz
