#pragma once
// What this process made where the user's settings live (the Windows and system
// directories, the menu folders, the registry store and its folder), in the order
// made: setup records them, so that an uninstall takes away what setup made once
// nothing is left in it, and never what was there before.

#include <cstddef>
#include <filesystem>
#include <vector>

namespace lumora::platform {

// create_directories that notes every level it made. Whether the directory is there.
bool createDirectoriesNoted(const std::filesystem::path& directory);
// A file this process created (not one it rewrote).
void noteMadeFile(const std::filesystem::path& file);

struct MadePath {
    std::filesystem::path path;
    bool directory = false;
};
// How many paths were noted so far, and the ones noted after the first `from`.
std::size_t madePathCount();
std::vector<MadePath> madePathsSince(std::size_t from);

} // namespace lumora::platform
