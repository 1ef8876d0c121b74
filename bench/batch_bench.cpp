// lumora-batch auto over 1,000 generated pages of 20 KB, with one worker and with two.
// Each run writes to a fresh -o directory, so every run starts from the same pages.
// Wall time is what counts here (the work is spread over processes).

#include "page_generator.h"

#include "platform/program_location.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <spawn.h>
#include <stdexcept>
#include <string>
#include <sys/wait.h>
#include <vector>

extern char** environ;

namespace {

namespace fs = std::filesystem;

constexpr int kPages = 1000;
constexpr size_t kPageBytes = 20 * 1024;

class BenchDirectory {
public:
    BenchDirectory() {
        const char* base = std::getenv("TMPDIR");
        std::string pattern = std::string(base && *base ? base : "/tmp") + "/batch-bench-XXXXXX";
        if (!::mkdtemp(pattern.data()))
            throw std::runtime_error("mkdtemp failed");
        path = pattern;
        fs::create_directories(path / "site");
        for (int i = 0; i < kPages; ++i) {
            std::ofstream out(path / "site" / ("page" + std::to_string(i) + ".htm"),
                              std::ios::binary);
            out << lumora::bench::generatePage(kPageBytes, static_cast<unsigned>(i + 1));
        }
    }
    ~BenchDirectory() {
        std::error_code ignored;
        fs::remove_all(path, ignored);
    }
    fs::path path;
};

BenchDirectory& pages() {
    static BenchDirectory directory;
    return directory;
}

int runBatch(const std::vector<std::string>& arguments, const fs::path& directory) {
    const std::string program = (lumora::platform::programDirectory() / "lumora-batch").string();
    std::vector<std::string> all{program};
    all.insert(all.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (auto& argument : all)
        argv.push_back(argument.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addchdir_np(&actions, directory.c_str());
    pid_t pid = -1;
    const int failed =
        ::posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (failed)
        throw std::runtime_error("cannot start " + program);
    int status = 0;
    ::waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

void BatchAuto(benchmark::State& state) {
    const fs::path& root = pages().path;
    const std::string jobs = std::to_string(state.range(0));
    int run = 0;
    int status = 0;
    for (auto _ : state) {
        const std::string out = "out-j" + jobs + "-" + std::to_string(run++);
        status = runBatch({"auto", "-j", jobs, "-o", out, "site"}, root);
        state.PauseTiming();
        std::error_code ignored;
        fs::remove_all(root / out, ignored);
        state.ResumeTiming();
    }
    state.counters["pages"] = kPages;
    state.counters["exit"] = status;
    state.counters["pages/s"] = benchmark::Counter(kPages * static_cast<double>(state.iterations()),
                                                   benchmark::Counter::kIsRate);
}
BENCHMARK(BatchAuto)->Arg(1)->Arg(2)->Iterations(1)->UseRealTime()->Unit(benchmark::kSecond);

} // namespace

BENCHMARK_MAIN();
