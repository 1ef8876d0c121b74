// lumora-batch auto over 1,000 generated pages of 20 KB, with one worker and with two,
// each with one window for all of a worker's pages (as the tool runs) and with a fresh
// window per page (as it first ran), in the same run. Each run writes to a fresh -o
// directory, so every run starts from the same pages. The outputs stay until the site
// goes: on ext4 a new file is given an inode only after the allocator has stepped past
// every inode freed in the last minutes, so removing 1,000 pages between runs made the
// next run's file creation cost more than its pages' work. Wall time is what counts here
// (the work is spread over processes); the processor time per page is given too.

#include "generated_site.h"

#include "platform/program_start.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

constexpr int kPages = 1000;
constexpr size_t kPageBytes = 20 * 1024;

lumora::bench::GeneratedSite& pages() {
    static lumora::bench::GeneratedSite site(kPages, kPageBytes);
    return site;
}

lumora::platform::ProgramEnd runBatch(const std::vector<std::string>& arguments,
                                      const fs::path& directory, bool freshWindows) {
    if (freshWindows)
        return lumora::bench::runLumoraBatch(arguments, directory,
                                             {{"LUMORA_BATCH_FRESH_WINDOWS", "1"}});
    return lumora::bench::runLumoraBatch(arguments, directory);
}

// range(0): workers; range(1): 1 for a fresh window per page.
void BatchAuto(benchmark::State& state) {
    const fs::path& root = pages().root();
    const std::string jobs = std::to_string(state.range(0));
    const bool fresh = state.range(1) == 1;
    int run = 0;
    int status = 0;
    double cpuSeconds = 0;
    for (auto _ : state) {
        const std::string out =
            "out-j" + jobs + (fresh ? "-fresh-" : "-one-") + std::to_string(run++);
        const auto end = runBatch({"auto", "-j", jobs, "-o", out, "site"}, root, fresh);
        status = end.signal ? 128 + end.signal : end.exitCode;
        cpuSeconds += end.cpuSeconds;
    }
    state.counters["pages"] = kPages;
    state.counters["exit"] = status;
    state.counters["pages/s"] = benchmark::Counter(kPages * static_cast<double>(state.iterations()),
                                                   benchmark::Counter::kIsRate);
    // On a machine shared with other work the wall time says more about the others;
    // the processor time of the tool and its workers does not.
    const double pagesRun = kPages * static_cast<double>(state.iterations());
    state.counters["cpu_ms/page"] = 1000 * cpuSeconds / pagesRun;
}
BENCHMARK(BatchAuto)
    ->ArgNames({"j", "fresh_windows"})
    ->ArgsProduct({{1, 2}, {1, 0}})
    ->Iterations(1)
    ->UseRealTime()
    ->Unit(benchmark::kSecond);

} // namespace

BENCHMARK_MAIN();
