// lumora-batch audit over 2,000 generated pages of 20 KB, with one thread and with two:
// the whole program as a user runs it (discovery, reading, the report). Wall time counts.

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

constexpr int kPages = 2000;
constexpr size_t kPageBytes = 20 * 1024;

class BenchDirectory {
public:
    BenchDirectory() {
        const char* base = std::getenv("TMPDIR");
        std::string pattern = std::string(base && *base ? base : "/tmp") + "/audit-bench-XXXXXX";
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

int runAudit(const std::string& jobs, const fs::path& directory) {
    const std::string program = (lumora::platform::programDirectory() / "lumora-batch").string();
    std::vector<std::string> all{program, "audit", "--json", "-j", jobs, "site"};
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

void BatchAudit(benchmark::State& state) {
    static BenchDirectory pages;
    const std::string jobs = std::to_string(state.range(0));
    int status = 0;
    for (auto _ : state)
        status = runAudit(jobs, pages.path);
    state.counters["exit"] = status;
    state.counters["pages/s"] = benchmark::Counter(kPages * static_cast<double>(state.iterations()),
                                                   benchmark::Counter::kIsRate);
}
BENCHMARK(BatchAudit)->Arg(1)->Arg(2)->Iterations(3)->UseRealTime()->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
