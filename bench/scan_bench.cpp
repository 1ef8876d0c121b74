// The keyword scan against a plain memchr pass over the same bytes, on an 8 MB and
// a 1 MB page; loading the 8 MB page into the editor; the whole click offscreen.

#include "page_generator.h"

#include "editor/logic/scripted_interaction.h"
#include "editor/page_editor.h"
#include "editor/tform1.h"
#include "editor/track_bar.h"
#include "keywords/word_counts.h"
#include "text/page_codec.h"

#include <QRadioButton>
#include <QTextCursor>
#include <benchmark/benchmark.h>

#include <cstring>

namespace {

const std::string& page(size_t megabytes) {
    static const std::string eight = lumora::bench::generatePage(8u << 20);
    static const std::string one = lumora::bench::generatePage(1u << 20);
    return megabytes == 8 ? eight : one;
}

const lumora::text::Lines& lines(size_t megabytes) {
    static const auto eight = lumora::text::decodePage(page(8)).lines;
    static const auto one = lumora::text::decodePage(page(1)).lines;
    return megabytes == 8 ? eight : one;
}

void MemchrReference(benchmark::State& state) {
    const std::string& bytes = page(8);
    for (auto _ : state) {
        const void* hit = std::memchr(bytes.data(), '\x01', bytes.size());
        benchmark::DoNotOptimize(hit);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes.size()));
}
BENCHMARK(MemchrReference);

const std::vector<std::string> kNoise = {"the", "and",  "for", "with", "that", "this", "your",
                                         "our", "from", "are", "href", "nbsp", "htm"};

void ScanLogic(benchmark::State& state) {
    const auto& page = lines(static_cast<size_t>(state.range(0)));
    for (auto _ : state) {
        lumora::keywords::WordCounts counts{lumora::keywords::NoiseFilter(kNoise)};
        counts.addLines(page);
        auto found = counts.keywords(25);
        benchmark::DoNotOptimize(found);
    }
    state.SetLabel(std::to_string(page.size()) + " lines");
}
BENCHMARK(ScanLogic)->Arg(1)->Arg(8)->Unit(benchmark::kMillisecond);

// The same on one core, as on a machine whose second core is busy.
void ScanLogicOneThread(benchmark::State& state) {
    const auto& page = lines(8);
    for (auto _ : state) {
        lumora::keywords::WordCounts counts{lumora::keywords::NoiseFilter(kNoise)};
        counts.setSplitFrom(SIZE_MAX);
        counts.addLines(page);
        auto found = counts.keywords(25);
        benchmark::DoNotOptimize(found);
    }
}
BENCHMARK(ScanLogicOneThread)->Unit(benchmark::kMillisecond);

// Manual mode: the click is the scan itself, without the tag chain after it.
struct OffscreenWindow {
    OffscreenWindow() { form.RadioB_NOauto->setChecked(true); }
    lumora::editor::ScriptedInteraction ui;
    lumora::editor::ScriptedPump pump;
    lumora::editor::TForm1 form{{ui, pump, "/nonexistent"}};
};

void LoadIntoEditor(benchmark::State& state) {
    OffscreenWindow window;
    const auto& page = lines(8);
    for (auto _ : state)
        window.form.RichEdit->setLines(page);
}
BENCHMARK(LoadIntoEditor)->Unit(benchmark::kMillisecond);

// The click after File, Open: the editor's lines are at hand.
void WholeClickAfterOpen(benchmark::State& state) {
    OffscreenWindow window;
    window.form.ListBox1 = {"the", "and",  "for", "with", "that", "this", "your",
                            "our", "from", "are", "href", "nbsp", "htm"};
    for (auto _ : state) {
        state.PauseTiming();
        window.form.RichEdit->setLines(lines(8));
        window.form.TrackBar1->setValue(25);
        window.form.TagsPassed = false;
        window.ui.clearRecords();
        state.ResumeTiming();
        window.form.Button5Click();
    }
}
BENCHMARK(WholeClickAfterOpen)->Unit(benchmark::kMillisecond);

// The click after typing into the page: the lines are read from the editor again.
void WholeClickAfterEdit(benchmark::State& state) {
    OffscreenWindow window;
    window.form.RichEdit->setLines(lines(8));
    for (auto _ : state) {
        state.PauseTiming();
        QTextCursor cursor(window.form.RichEdit->document());
        cursor.movePosition(QTextCursor::End);
        cursor.insertText(QStringLiteral("x"));
        window.form.TrackBar1->setValue(25);
        window.form.TagsPassed = false;
        window.ui.clearRecords();
        state.ResumeTiming();
        window.form.Button5Click();
    }
}
BENCHMARK(WholeClickAfterEdit)->Unit(benchmark::kMillisecond);

} // namespace
