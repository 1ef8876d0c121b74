#pragma once
// Which pages a run works on: file arguments as named, directory arguments expanded to
// every *.htm* file below them (sorted), and where a page's result goes under -o.

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace lumora::batch {

struct PageEntry {
    std::string path;  // as shown to the user
    std::string error; // set when the argument itself is bad (a directory without pages)
};

// "*.htm*" as the window's File, Open filter has it, without regard to case, since
// pages made on Windows are often named INDEX.HTM; compressed copies (page.html.gz,
// .br, .zst, .bz2, .xz) are no pages.
bool isPageName(std::string_view fileName);

// Expands the arguments in order. A file named twice (directly or through a
// directory) is worked on once, at its first place.
std::vector<PageEntry> discoverPages(const std::vector<std::string>& arguments);

// Where -o DIR puts a page: its path relative to the current directory below DIR; a
// page outside the current directory keeps its absolute path without the root.
std::filesystem::path mirroredOutputPath(const std::filesystem::path& page,
                                         const std::filesystem::path& outputDirectory,
                                         const std::filesystem::path& currentDirectory);

} // namespace lumora::batch
