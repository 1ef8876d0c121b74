#pragma once
// Finding a file by a path whose letters may differ in case from the file's real path.
// The recent-files list stores paths with a-z upper-cased; on a file system that tells
// case apart, the stored path then names no file, so the real one is looked up.

#include <optional>
#include <string>
#include <string_view>

namespace lumora::editor {

class FileLocator {
public:
    virtual ~FileLocator() = default;
    // The real path of an existing file (not a directory) whose path equals `path`
    // without regard to ASCII case, or nothing.
    virtual std::optional<std::string> locate(std::string_view path) = 0;
};

// Looks on the host file system: each part of the path is taken as written when it
// exists, otherwise matched against the directory's entries without regard to case
// (in name order, trying the next candidate when a later part is not found below one).
class CaseInsensitiveFileLocator : public FileLocator {
public:
    std::optional<std::string> locate(std::string_view path) override;
};

} // namespace lumora::editor
