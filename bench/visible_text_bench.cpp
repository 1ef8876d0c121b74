// The visible-text reading of an 8 MB page against the classic scan of the same page,
// in the same run: reading the visible lines, cutting them to keyword characters,
// counting, and grouping the forms of each word by stem.

#include "page_generator.h"

#include "keywords/visible_text.h"
#include "keywords/word_counts.h"
#include "keywords/word_forms.h"
#include "text/page_codec.h"

#include <benchmark/benchmark.h>

#include <cstdint>

namespace {

using namespace lumora;

const text::Lines& pageLines() {
    static const auto lines = text::decodePage(bench::generatePage(8u << 20)).lines;
    return lines;
}

const std::vector<std::string> kNoise = {"the", "and",  "for", "with", "that", "this", "your",
                                         "our", "from", "are", "href", "nbsp", "htm"};

// With `oneThread` the count stays on one core, so that the CPU time is the whole cost.
void ClassicScan(benchmark::State& state) {
    const auto& page = pageLines();
    for (auto _ : state) {
        keywords::WordCounts counts{keywords::NoiseFilter(kNoise)};
        if (state.range(0) != 0)
            counts.setSplitFrom(SIZE_MAX);
        counts.addLines(page);
        auto found = counts.keywords(25);
        benchmark::DoNotOptimize(found);
    }
}
BENCHMARK(ClassicScan)->ArgName("oneThread")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void VisibleTextLines(benchmark::State& state) {
    const auto& page = pageLines();
    for (auto _ : state) {
        auto visible = keywords::readVisibleText(page);
        benchmark::DoNotOptimize(visible);
    }
}
BENCHMARK(VisibleTextLines)->Unit(benchmark::kMillisecond);

void VisibleTextScan(benchmark::State& state) {
    const auto& page = pageLines();
    for (auto _ : state) {
        keywords::VisibleText visible = keywords::readVisibleText(page);
        for (auto& line : visible.lines)
            keywords::keepKeywordCharacters(line);
        keywords::WordCounts counts{keywords::NoiseFilter(kNoise)};
        if (state.range(0) != 0)
            counts.setSplitFrom(SIZE_MAX);
        counts.addLines(visible.lines);
        const keywords::Stemmer stemmer(visible.language);
        auto found = keywords::groupedKeywords(counts, 25, stemmer);
        benchmark::DoNotOptimize(found);
    }
    state.SetLabel(std::to_string(pageLines().size()) + " lines");
}
BENCHMARK(VisibleTextScan)->ArgName("oneThread")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
