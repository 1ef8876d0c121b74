// The drive map: entries from the drive-map file or the environment variable, and the
// Windows paths mapped through them. The map written out as entries reads back the same.

#include "fuzz_check.h"
#include "platform/drive_map.h"

#include <cstddef>
#include <cstdint>

using lumora::fuzz::require;
using lumora::platform::DriveMap;

namespace {

// Whether an entry line can hold this directory as it is.
bool storable(const std::string& directory, char separator) {
    if (directory.empty() || directory.find(separator) != std::string::npos)
        return false;
    if (separator == '\n' && directory.find('#') != std::string::npos)
        return false;
    const char last = directory.back();
    return last != ' ' && last != '\t' && last != '\r' && last != '\n';
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view text = lumora::fuzz::asText(data, size);
    // The first byte picks the file's separator or the variable's; after a NUL comes a
    // Windows path to map.
    const char separator = !text.empty() && (text.front() & 1) ? ';' : '\n';
    std::string_view path;
    if (const auto nul = text.find('\0'); nul != std::string_view::npos) {
        path = text.substr(nul + 1);
        text = text.substr(0, nul);
    }

    DriveMap drives;
    drives.applyEntries(text, separator);
    std::string written;
    bool allStorable = true;
    for (char letter : drives.letters()) {
        const std::string root = drives.root(letter)->string();
        allStorable = allStorable && storable(root, separator);
        written += std::string(1, letter) + ":=" + root + separator;
    }
    if (allStorable) {
        DriveMap reread;
        require(reread.applyEntries(written, separator).empty(),
                "a written drive entry is rejected");
        require(reread.letters() == drives.letters(), "written drive entries map other letters");
        for (char letter : drives.letters())
            require(reread.root(letter) == drives.root(letter),
                    "a written drive entry moves its root");
    }

    (void)lumora::platform::hasDriveLetter(path);
    (void)lumora::platform::driveLetterOf(path);
    if (const auto host = drives.toHostPath(path))
        (void)drives.toWindowsPath(*host);
    return 0;
}
