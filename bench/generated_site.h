#pragma once
// A folder of generated pages for the batch benchmarks, and lumora-batch run on it as a
// user runs it.

#include "platform/program_start.h"

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

namespace lumora::bench {

class GeneratedSite {
public:
    // `pages` pages of about `pageBytes` each in <private folder>/site; removed again
    // when the site goes.
    GeneratedSite(int pages, std::size_t pageBytes);
    ~GeneratedSite();
    GeneratedSite(const GeneratedSite&) = delete;
    GeneratedSite& operator=(const GeneratedSite&) = delete;

    const std::filesystem::path& root() const { return root_; }

private:
    std::filesystem::path root_;
};

// lumora-batch from the benchmark's own folder, run in `directory` with its output thrown
// away; waits for it.
platform::ProgramEnd
runLumoraBatch(const std::vector<std::string>& arguments, const std::filesystem::path& directory,
               const std::vector<std::pair<std::string, std::string>>& environment = {});

} // namespace lumora::bench
