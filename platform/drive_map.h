#pragma once
// Virtual drives: the installer speaks Windows paths (drive letters, backslashes,
// no regard to case), and this map ties each drive letter to a host directory.
// By default C: is the user's home and Z: the host root; a drive-map file and the
// LUMORA_DRIVES environment variable map further letters.

#include <array>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lumora::platform {

class DriveMap {
public:
    // An empty map: no letter names anything.
    DriveMap() = default;

    // The user's map: C: = $HOME and Z: = /, then the lines of the drive-map file
    // (driveMapFilePath()), then the entries of LUMORA_DRIVES, later entries winning.
    // Both use "D=/some/dir" entries (a colon after the letter is allowed); an empty
    // directory removes the letter. The file has one entry a line, '#' starts a
    // comment; the variable separates entries with ';'.
    static DriveMap fromEnvironment();

    // $XDG_CONFIG_HOME/lumora-setup/drives (XDG_CONFIG_HOME defaults to ~/.config).
    static std::filesystem::path driveMapFilePath();

    // Applies entries in the format above; returns the entries it could not understand.
    std::vector<std::string> applyEntries(std::string_view text, char separator);

    void map(char letter, std::filesystem::path hostRoot);
    void unmap(char letter);
    std::optional<std::filesystem::path> root(char letter) const;
    // Mapped letters in alphabetical order, upper case.
    std::vector<char> letters() const;

    // "C:\Lumora\README.TXT" -> $HOME/Lumora/README.TXT. Backslashes and slashes both
    // separate; "." and ".." are applied; each component that exists is matched
    // against the real file system without regard to case. A path without a drive
    // is relative to the host's current directory, and one beginning with a single
    // backslash starts at the root of the current directory's drive. A trailing
    // separator is dropped. Nothing for an unmapped letter or a network path.
    std::optional<std::filesystem::path> toHostPath(std::string_view windowsPath) const;

    // The Windows name of a host path through the mapping with the longest matching
    // host prefix ($HOME/Lumora -> "C:\Lumora", / -> "Z:\"). A relative path counts
    // from the current directory. No trailing backslash except at a drive root.
    // Nothing when no mapped root contains the path.
    std::optional<std::string> toWindowsPath(const std::filesystem::path& hostPath) const;

private:
    std::array<std::optional<std::filesystem::path>, 26> roots_;
};

// Whether the text is a drive letter followed by a colon ("a:", "C:\x").
bool hasDriveLetter(std::string_view windowsPath);
// The upper-cased drive letter of a Windows path, or 0 without one.
char driveLetterOf(std::string_view windowsPath);

} // namespace lumora::platform
