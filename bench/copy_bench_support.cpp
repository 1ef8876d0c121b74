#include "copy_bench_support.h"

#include "platform/atomic_file.h"
#include "platform/program_start.h"
#include "platform/system_directories.h"

#include <cstdlib>
#include <fstream>
#include <vector>

namespace lumora::bench {

namespace fs = std::filesystem;

fs::path makeWorkDirectory(const std::string& prefix) {
    const char* base = std::getenv("TMPDIR");
    try {
        return platform::createPrivateDirectory(base && *base ? base : "/tmp", prefix + "-");
    } catch (const platform::FileError&) {
        std::abort();
    }
}

void writeBytes(const fs::path& path, std::size_t size, unsigned seed) {
    std::string bytes(size, '\0');
    unsigned state = seed;
    for (char& c : bytes) {
        state = state * 1103515245u + 12345u;
        c = static_cast<char>(state >> 24);
    }
    std::ofstream(path, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(size));
}

namespace {
void warmFile(const fs::path& path, std::vector<char>& block) {
    std::ifstream in(path, std::ios::binary);
    while (in.read(block.data(), static_cast<std::streamsize>(block.size())) || in.gcount() > 0) {
    }
}
} // namespace

void warm(const fs::path& path) {
    std::vector<char> block(1 << 20);
    if (!fs::is_directory(path)) {
        warmFile(path, block);
        return;
    }
    for (const auto& entry : fs::recursive_directory_iterator(path))
        if (entry.is_regular_file())
            warmFile(entry.path(), block);
}

void runCp(const fs::path& from, const fs::path& to) {
    platform::ProgramStart request;
    request.commandLine = "cp -r \"" + from.string() + "\" \"" + to.string() + "\"";
    request.translatePathArguments = false;
    try {
        if (platform::runProgramAndWait(platform::DriveMap(), request) != 0)
            std::abort();
    } catch (const platform::ProgramStartError&) {
        std::abort();
    }
}

void clearTarget(benchmark::State& state, const fs::path& target) {
    state.PauseTiming();
    fs::remove_all(target);
    state.ResumeTiming();
}

int runBenchmarks(int argc, char** argv, const fs::path& workDirectory) {
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    fs::remove_all(workDirectory);
    return 0;
}

} // namespace lumora::bench
