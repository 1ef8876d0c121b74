#include "made_paths.h"

#include <mutex>
#include <system_error>

namespace lumora::platform {

namespace fs = std::filesystem;

namespace {

std::mutex& madeMutex() {
    static std::mutex mutex;
    return mutex;
}

std::vector<MadePath>& made() {
    static std::vector<MadePath> paths;
    return paths;
}

} // namespace

bool createDirectoriesNoted(const fs::path& directory) {
    std::error_code error;
    if (fs::is_directory(directory, error))
        return true;
    std::vector<fs::path> missing;
    for (fs::path level = directory; !level.empty() && !fs::exists(level, error);
         level = level.parent_path()) {
        missing.push_back(level);
        if (level == level.parent_path())
            break;
    }
    // Outermost first; a level made by someone else in the meantime is not ours.
    for (auto level = missing.rbegin(); level != missing.rend(); ++level) {
        if (!fs::create_directory(*level, error))
            continue;
        const std::lock_guard lock(madeMutex());
        made().push_back({*level, true});
    }
    return fs::is_directory(directory, error);
}

void noteMadeFile(const fs::path& file) {
    const std::lock_guard lock(madeMutex());
    made().push_back({file, false});
}

std::size_t madePathCount() {
    const std::lock_guard lock(madeMutex());
    return made().size();
}

std::vector<MadePath> madePathsSince(std::size_t from) {
    const std::lock_guard lock(madeMutex());
    if (from >= made().size())
        return {};
    return {made().begin() + static_cast<std::ptrdiff_t>(from), made().end()};
}

} // namespace lumora::platform
