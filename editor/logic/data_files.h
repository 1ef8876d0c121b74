#pragma once
// Where Lumora's data files (the noise-word list, the help file) are found. The
// folder Lumora starts in comes first, as it always has; a program installed as the
// system's programs are (bin/ beside share/) then finds them in share/lumora/.

#include <filesystem>
#include <string>

namespace lumora::editor {

// The installed data folder that belongs to a program in `programDirectory`.
std::filesystem::path installedDataDirectory(const std::filesystem::path& programDirectory);

// `path` when it names a regular file; otherwise the file of the same name in the
// running program's installed data folder when that one exists; otherwise `path`,
// so that what is reported missing is the file in the start folder.
std::string withInstalledFallback(const std::string& path);

// The data file at `relative` (such as "noise/de.txt") below the folder Lumora
// starts in, or below the installed data folder when the start folder has none;
// the former when neither has it.
std::string dataFile(const std::string& startDirectory, const std::string& relative);

} // namespace lumora::editor
