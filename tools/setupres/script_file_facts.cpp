#include "tools/setupres/script_file_facts.h"

#include "common/ascii_case.h"
#include "setup/script/dos_date_time.h"

#include <chrono>
#include <ctime>
#include <stdexcept>

namespace setupres {

namespace fs = std::filesystem;
using setupkit::form::ScriptFileFacts;

namespace {

// A name taken from the script must stay a plain name inside the directory.
bool isPlainName(std::string_view name) {
    return !name.empty() && name != "." && name != ".." &&
           name.find_first_of("/\\") == std::string_view::npos;
}

} // namespace

ScriptFileFacts factsOf(const fs::path& file) {
    ScriptFileFacts facts;
    facts.size = fs::file_size(file);
    const auto modified = std::chrono::file_clock::to_sys(fs::last_write_time(file));
    const std::time_t seconds = std::chrono::system_clock::to_time_t(
        std::chrono::time_point_cast<std::chrono::seconds>(modified));
    std::tm local{};
    if (!localtime_r(&seconds, &local))
        throw std::runtime_error("cannot convert the date of " + file.string());
    const auto dateTime = setupkit::encodeDateTime({local.tm_year + 1900, local.tm_mon + 1,
                                                    local.tm_mday, local.tm_hour, local.tm_min,
                                                    local.tm_sec == 60 ? 59 : local.tm_sec});
    if (!dateTime)
        throw std::runtime_error("the date of " + file.string() + " is not a calendar date");
    facts.dateTime = *dateTime;
    return facts;
}

setupkit::form::ScriptFileLookup directoryLookup(fs::path directory) {
    return [directory =
                std::move(directory)](std::string_view name) -> std::optional<ScriptFileFacts> {
        if (!isPlainName(name))
            return std::nullopt;
        const fs::path exact = directory / std::string(name);
        if (fs::is_regular_file(exact))
            return factsOf(exact);
        for (const fs::directory_entry& entry : fs::directory_iterator(directory))
            if (entry.is_regular_file() &&
                lumora::equalsIgnoringCase(entry.path().filename().string(), name))
                return factsOf(entry.path());
        return std::nullopt;
    };
}

} // namespace setupres
