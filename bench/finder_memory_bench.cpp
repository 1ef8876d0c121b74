// Heap memory of the title finder on a 20 MB page: with the eleven leading keywords,
// and with the list a scan is left with on such a page at the highest sensitivity
// (thousands of words), which is what FULL AUTO GO ! hands the finder there. Every
// heap allocation is counted, so the peak is the finder's own and not the process's.

#include "page_generator.h"

#include "keywords/word_counts.h"
#include "tags/proposal_finder.h"
#include "text/page_codec.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <new>

namespace {

std::atomic<size_t> liveBytes{0};
std::atomic<size_t> peakBytes{0};

// Each block carries its size in front, kept at the largest fundamental alignment.
constexpr size_t kHeader = alignof(std::max_align_t);

void* allocate(size_t size) {
    auto* block = static_cast<unsigned char*>(std::malloc(size + kHeader));
    if (!block)
        throw std::bad_alloc();
    *reinterpret_cast<size_t*>(block) = size;
    const size_t live = liveBytes.fetch_add(size) + size;
    size_t peak = peakBytes.load();
    while (live > peak && !peakBytes.compare_exchange_weak(peak, live)) {
    }
    return block + kHeader;
}

void release(void* pointer) {
    if (!pointer)
        return;
    auto* block = static_cast<unsigned char*>(pointer) - kHeader;
    liveBytes.fetch_sub(*reinterpret_cast<size_t*>(block));
    std::free(block);
}

} // namespace

void* operator new(size_t size) {
    return allocate(size);
}
void* operator new[](size_t size) {
    return allocate(size);
}
void operator delete(void* pointer) noexcept {
    release(pointer);
}
void operator delete[](void* pointer) noexcept {
    release(pointer);
}
void operator delete(void* pointer, size_t) noexcept {
    release(pointer);
}
void operator delete[](void* pointer, size_t) noexcept {
    release(pointer);
}

namespace {

constexpr size_t kPageBytes = 20u << 20;
// Enough refusals to walk well into the page; the whole walk over thousands of
// keywords would take hours and allocates nothing more.
constexpr long kRefusals = 200;

const lumora::text::Lines& page() {
    static const auto lines =
        lumora::text::decodePage(lumora::bench::generatePage(kPageBytes)).lines;
    return lines;
}

std::vector<std::string> keywordsAt(int sensitivity) {
    lumora::keywords::WordCounts counts{lumora::keywords::NoiseFilter()};
    counts.addLines(page());
    return counts.keywords(sensitivity);
}

void FinderPeakMemory(benchmark::State& state) {
    const auto& lines = page();
    std::vector<std::string> keywords = keywordsAt(static_cast<int>(state.range(0)));
    if (state.range(1) > 0 && keywords.size() > static_cast<size_t>(state.range(1)))
        keywords.resize(static_cast<size_t>(state.range(1)));
    size_t peak = 0;
    for (auto _ : state) {
        const size_t before = liveBytes.load();
        peakBytes.store(before);
        lumora::tags::ProposalFinder finder(lumora::tags::FinderKind::Title,
                                            {true, true, true, keywords, {}, ""});
        auto step = finder.start(lines);
        for (long refused = 0; step.question; ++refused)
            step = finder.answer(refused < kRefusals ? lumora::tags::Answer::No
                                                     : lumora::tags::Answer::Cancel);
        peak = std::max(peak, peakBytes.load() - before);
    }
    state.counters["keywords"] = static_cast<double>(keywords.size());
    state.counters["lines"] = static_cast<double>(lines.size());
    state.counters["peak_MB"] = static_cast<double>(peak) / (1u << 20);
    state.counters["peak_per_page"] = static_cast<double>(peak) / kPageBytes;
}
// Arguments: the sensitivity the keywords are taken at, and how many are kept (0: all).
BENCHMARK(FinderPeakMemory)
    ->Args({25, 11})
    ->Args({25, 0})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);

} // namespace

BENCHMARK_MAIN();
