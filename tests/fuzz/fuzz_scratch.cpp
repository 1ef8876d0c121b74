#include "fuzz_scratch.h"

#include <cstdlib>
#include <fstream>
#include <random>
#include <sstream>
#include <string>

namespace lumora::fuzz {

namespace fs = std::filesystem;

namespace {

fs::path makeScratch() {
    std::random_device random;
    for (;;) {
        fs::path candidate =
            fs::temp_directory_path() / ("lumora-fuzz-" + std::to_string(random()));
        if (fs::create_directory(candidate))
            return candidate;
    }
}

} // namespace

const fs::path& scratchDirectory() {
    static const fs::path directory = [] {
        fs::path made = makeScratch();
        std::atexit([] {
            std::error_code ignored;
            fs::remove_all(scratchDirectory(), ignored);
        });
        return made;
    }();
    return directory;
}

fs::path scratchFile(std::string_view name, std::string_view bytes) {
    fs::path file = scratchDirectory() / name;
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return file;
}

std::string contentsOf(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

} // namespace lumora::fuzz
