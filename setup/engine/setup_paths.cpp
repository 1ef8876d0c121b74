#include "setup/engine/setup_paths.h"

namespace setupkit {

std::string AddBackslash(std::string path) {
    if (!path.empty() && path.back() != '\\')
        path += '\\';
    return path;
}

std::string StripBackslash(std::string path) {
    if (!path.empty() && path.back() == '\\')
        path.pop_back();
    return path;
}

std::string FixDriveRoot(std::string path) {
    path = StripBackslash(std::move(path));
    if (path.size() == 2)
        path += '\\';
    return path;
}

std::string ExtractFileName(const std::string& path) {
    const size_t separator = path.find_last_of("\\:/");
    return separator == std::string::npos ? path : path.substr(separator + 1);
}

std::string SplitAt(std::string& text, std::string_view separator) {
    const size_t at = separator.empty() ? std::string::npos : text.find(separator);
    if (at == std::string::npos)
        return text;
    std::string before = text.substr(0, at);
    text.erase(0, at + separator.size());
    return before;
}

std::string ShortenPath(const std::string& path, int width, const TextWidth& textWidth) {
    if (textWidth(path) <= width)
        return path;
    std::string current = AddBackslash(path);
    // The drive ("C:\") and the first directory after it are always kept.
    constexpr size_t DriveLength = 3;
    for (;;) {
        if (current.size() <= DriveLength)
            return current;
        const size_t firstEnd = current.find('\\', DriveLength);
        if (firstEnd == std::string::npos)
            return current;
        const std::string head = current.substr(0, firstEnd + 1);
        std::string tail = current.substr(firstEnd + 1);
        if (tail.rfind("...\\", 0) == 0)
            tail.erase(0, 4);
        // Drop the next directory; the last component (the one before the final
        // backslash) is never dropped.
        const size_t nextEnd = tail.find('\\');
        if (nextEnd == std::string::npos || nextEnd + 1 >= tail.size())
            return current;
        tail.erase(0, nextEnd + 1);
        std::string shorter = head + "...\\" + tail;
        current = std::move(shorter);
        if (textWidth(current) <= width)
            return current;
    }
}

} // namespace setupkit
