#pragma once
// Where the build finds the files an installer ships: their size and date, looked up
// by the script's file name in one directory (the exact name first, then any letter
// case, as the installer's own file names are compared).

#include "setup/form/setup_data_property.h"

#include <filesystem>

namespace setupres {

setupkit::form::ScriptFileLookup directoryLookup(std::filesystem::path directory);

// Size and local modification time of one file; throws std::filesystem::filesystem_error.
setupkit::form::ScriptFileFacts factsOf(const std::filesystem::path& file);

} // namespace setupres
