#include "page_discovery.h"

#include "common/ascii_case.h"

#include <algorithm>
#include <set>
#include <system_error>

namespace lumora::batch {

namespace fs = std::filesystem;

namespace {

// Collects the pages below `directory`; directories that cannot be read are reported
// as entries of their own so the run goes on with the rest.
void collect(const fs::path& directory, std::vector<std::string>& pages,
             std::vector<PageEntry>& problems) {
    std::error_code error;
    fs::directory_iterator it(directory, error);
    if (error) {
        problems.push_back({directory.string(), "cannot read directory: " + error.message()});
        return;
    }
    std::vector<fs::path> subdirectories;
    for (const fs::directory_iterator end; it != end; it.increment(error)) {
        if (error)
            break;
        const fs::directory_entry& entry = *it;
        std::error_code typeError;
        // Links to directories are not followed: a link back up would never end.
        if (entry.is_directory(typeError) && !entry.is_symlink(typeError)) {
            subdirectories.push_back(entry.path());
        } else if (isPageName(entry.path().filename().string())) {
            pages.push_back(entry.path().string());
        }
    }
    if (error)
        problems.push_back({directory.string(), "cannot read directory: " + error.message()});
    for (const auto& subdirectory : subdirectories)
        collect(subdirectory, pages, problems);
}

std::string identity(const std::string& path) {
    std::error_code error;
    fs::path canonical = fs::weakly_canonical(path, error);
    return error ? fs::absolute(path, error).lexically_normal().string() : canonical.string();
}

} // namespace

bool isPageName(std::string_view fileName) {
    static constexpr std::string_view kExtension = ".htm";
    // Compressed copies a web server keeps beside each page (page.html.gz for gzip,
    // .br, ...) match the filter but hold no text: each would only be refused.
    static constexpr std::string_view kCompressed[] = {".gz", ".br", ".zst", ".bz2", ".xz"};
    auto endsWith = [&](std::string_view suffix) {
        return fileName.size() >= suffix.size() &&
               equalsIgnoringCase(fileName.substr(fileName.size() - suffix.size()), suffix);
    };
    for (std::string_view suffix : kCompressed)
        if (endsWith(suffix))
            return false;
    for (size_t start = 0; start + kExtension.size() <= fileName.size(); ++start)
        if (equalsIgnoringCase(fileName.substr(start, kExtension.size()), kExtension))
            return true;
    return false;
}

std::vector<PageEntry> discoverPages(const std::vector<std::string>& arguments) {
    std::vector<PageEntry> entries;
    std::set<std::string> seen;
    auto add = [&](const std::string& path) {
        if (seen.insert(identity(path)).second)
            entries.push_back({path, {}});
    };
    for (const auto& argument : arguments) {
        std::error_code error;
        if (!fs::is_directory(argument, error)) {
            // Missing and unreadable files are reported when their turn comes.
            add(argument);
            continue;
        }
        std::vector<std::string> pages;
        std::vector<PageEntry> problems;
        collect(argument, pages, problems);
        std::sort(pages.begin(), pages.end());
        entries.insert(entries.end(), problems.begin(), problems.end());
        if (pages.empty() && problems.empty())
            entries.push_back({argument, "no *.htm* pages in this directory"});
        for (const auto& page : pages)
            add(page);
    }
    return entries;
}

fs::path mirroredOutputPath(const fs::path& page, const fs::path& outputDirectory,
                            const fs::path& currentDirectory) {
    const fs::path absolute = (currentDirectory / page).lexically_normal();
    fs::path relative = absolute.lexically_relative(currentDirectory.lexically_normal());
    if (relative.empty() || *relative.begin() == "..")
        relative = absolute.relative_path();
    return outputDirectory / relative;
}

} // namespace lumora::batch
