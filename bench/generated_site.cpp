#include "generated_site.h"

#include "page_generator.h"

#include "platform/program_location.h"
#include "platform/system_directories.h"

#include <fstream>

namespace lumora::bench {

namespace fs = std::filesystem;

GeneratedSite::GeneratedSite(int pages, std::size_t pageBytes)
    : root_(platform::createPrivateDirectory(fs::temp_directory_path(), "lumora-bench-")) {
    fs::create_directories(root_ / "site");
    for (int i = 0; i < pages; ++i) {
        std::ofstream out(root_ / "site" / ("page" + std::to_string(i) + ".htm"), std::ios::binary);
        out << generatePage(pageBytes, static_cast<unsigned>(i + 1));
    }
}

GeneratedSite::~GeneratedSite() {
    std::error_code ignored;
    fs::remove_all(root_, ignored);
}

platform::ProgramEnd
runLumoraBatch(const std::vector<std::string>& arguments, const fs::path& directory,
               const std::vector<std::pair<std::string, std::string>>& environment) {
    platform::HostProgramStart start;
    start.program = (platform::programDirectory() / "lumora-batch").string();
    start.arguments = arguments;
    start.workingDirectory = directory.string();
    start.output = platform::StandardStream::Null;
    start.environment = environment;
    return platform::startHostProgram(start).program.waitForEnd();
}

} // namespace lumora::bench
