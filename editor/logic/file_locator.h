#pragma once
// Finding a file by a path whose letters may differ in case from the file's real path.
// Earlier versions kept recent files with a-z upper-cased; on a file system that tells
// case apart, such a path names no file, so the real one is looked up.

#include <optional>
#include <string>
#include <string_view>

namespace lumora::editor {

class FileLocator {
public:
    virtual ~FileLocator() = default;
    // `path` itself when a file (not a directory) is there; otherwise the real path of
    // the one file whose path equals `path` without regard to ASCII case; nothing when
    // there is no such file or more than one, as the path cannot tell which is meant.
    virtual std::optional<std::string> locate(std::string_view path) = 0;
};

// Looks on the host file system, matching each part of the path against the entries of
// its directory without regard to case.
class CaseInsensitiveFileLocator : public FileLocator {
public:
    std::optional<std::string> locate(std::string_view path) override;
};

} // namespace lumora::editor
