// lumora-batch audit over 2,000 generated pages of 20 KB, with one thread and with two:
// the whole program as a user runs it (discovery, reading, the report). Wall time counts.

#include "generated_site.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

namespace fs = std::filesystem;

constexpr int kPages = 2000;
constexpr size_t kPageBytes = 20 * 1024;

void BatchAudit(benchmark::State& state) {
    static lumora::bench::GeneratedSite site(kPages, kPageBytes);
    const std::string jobs = std::to_string(state.range(0));
    int status = 0;
    for (auto _ : state) {
        const auto end =
            lumora::bench::runLumoraBatch({"audit", "--json", "-j", jobs, "site"}, site.root());
        status = end.signal ? 128 + end.signal : end.exitCode;
    }
    state.counters["exit"] = status;
    state.counters["pages/s"] = benchmark::Counter(kPages * static_cast<double>(state.iterations()),
                                                   benchmark::Counter::kIsRate);
}
BENCHMARK(BatchAudit)->Arg(1)->Arg(2)->Iterations(3)->UseRealTime()->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
