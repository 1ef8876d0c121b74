// Replace All of a 3-letter word inserted 100,000 times into the 8 MB page, replaced
// by a 5-letter word: the logic against a single memmem-and-append pass over the same
// text, and the whole command on the window offscreen (applied as one edit). Then the
// compressor on the 8 MB page, logic and window.

#include "page_generator.h"

#include "editor/find_replace_dialogs.h"
#include "editor/logic/page_offsets.h"
#include "editor/logic/replace_all.h"
#include "editor/logic/scripted_interaction.h"
#include "editor/page_editor.h"
#include "editor/tform1.h"
#include "tags/compressor.h"
#include "text/page_codec.h"

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <benchmark/benchmark.h>

#include <cstring>
#include <random>

namespace {

constexpr const char* kTerm = "qzx";
constexpr const char* kReplacement = "vwxyz";
constexpr size_t kInsertions = 100'000;

// The 8 MB page with the term put as a word before 100,000 randomly chosen blanks.
const lumora::text::Lines& termPage() {
    static const lumora::text::Lines page = [] {
        auto lines = lumora::text::decodePage(lumora::bench::generatePage(8u << 20)).lines;
        std::mt19937 random(7);
        std::uniform_int_distribution<size_t> pickLine(0, lines.size() - 1);
        size_t inserted = 0;
        while (inserted < kInsertions) {
            std::string& line = lines[pickLine(random)];
            const size_t blank = line.find(' ', std::uniform_int_distribution<size_t>(
                                                    0, line.empty() ? 0 : line.size() - 1)(random));
            if (blank == std::string::npos)
                continue;
            line.insert(blank, std::string(" ") + kTerm);
            ++inserted;
        }
        return lines;
    }();
    return page;
}

const std::string& termText() {
    static const std::string text = lumora::editor::joinPageText(termPage());
    return text;
}

// The floor: one pass that finds every occurrence with memmem and appends the text
// between them and the replacement to a fresh string.
void MemmemAppendReference(benchmark::State& state) {
    const std::string& text = termText();
    const size_t termLength = std::strlen(kTerm);
    size_t hits = 0;
    for (auto _ : state) {
        std::string out;
        out.reserve(text.size() + kInsertions * 2);
        const char* at = text.data();
        const char* const end = text.data() + text.size();
        hits = 0;
        while (const void* hit = memmem(at, static_cast<size_t>(end - at), kTerm, termLength)) {
            const char* found = static_cast<const char*>(hit);
            out.append(at, found);
            out += kReplacement;
            at = found + termLength;
            ++hits;
        }
        out.append(at, end);
        benchmark::DoNotOptimize(out.data());
    }
    state.counters["replaced"] = static_cast<double>(hits);
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}
BENCHMARK(MemmemAppendReference)->Unit(benchmark::kMillisecond);

// Arg 1: Match case on (the page is searched as it is); 0: off (lower-cased first).
void ReplaceAllLogic(benchmark::State& state) {
    lumora::editor::SearchOptions options;
    options.matchCase = state.range(0) != 0;
    size_t replaced = 0;
    for (auto _ : state) {
        state.PauseTiming();
        lumora::text::Lines page = termPage();
        state.ResumeTiming();
        bool continueFlag = false;
        auto outcome = lumora::editor::replaceAll(std::move(page), {}, kTerm, kReplacement, options,
                                                  continueFlag);
        replaced = outcome.replacements;
        benchmark::DoNotOptimize(outcome.page.data());
        state.PauseTiming();
        outcome = {};
        state.ResumeTiming();
    }
    state.counters["replaced"] = static_cast<double>(replaced);
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * termText().size()));
}
BENCHMARK(ReplaceAllLogic)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);

struct OffscreenWindow {
    OffscreenWindow() { form.PreviewOff1Click(); }
    lumora::editor::ScriptedInteraction ui;
    lumora::editor::ScriptedPump pump;
    lumora::editor::TForm1 form{{ui, pump, "/nonexistent"}};
};

// The Replace All press on the window: read the page, walk it, put the result into
// the editor as one undoable edit.
void ReplaceAllWindow(benchmark::State& state) {
    OffscreenWindow window;
    window.form.ReplaceDialog3->FindText->setText(QString::fromLatin1(kTerm));
    window.form.ReplaceDialog3->ReplaceText->setText(QString::fromLatin1(kReplacement));
    window.form.ReplaceDialog3->setReplaceAll(true);
    for (auto _ : state) {
        state.PauseTiming();
        window.form.RichEdit->setLines(termPage());
        window.ui.clearRecords();
        state.ResumeTiming();
        window.form.ReplaceDialog3Replace();
    }
    state.counters["lines"] = static_cast<double>(window.form.RichEdit->lines().size());
}
BENCHMARK(ReplaceAllWindow)->Unit(benchmark::kMillisecond);

// The 8 MB page with something to compress: an empty line after every 7th line,
// trailing blanks on every 5th, a run of 20-space lines now and then.
const lumora::text::Lines& loosePage() {
    static const lumora::text::Lines page = [] {
        const auto lines = lumora::text::decodePage(lumora::bench::generatePage(8u << 20)).lines;
        lumora::text::Lines out;
        out.reserve(lines.size() * 2);
        for (size_t i = 0; i < lines.size(); ++i) {
            out.push_back(i % 5 == 0 ? lines[i] + "  \t " : lines[i]);
            if (i % 7 == 0)
                out.emplace_back();
            if (i % 101 == 0)
                out.emplace_back(20, ' ');
        }
        return out;
    }();
    return page;
}

void CompressorLogic(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        lumora::text::Lines page = loosePage();
        state.ResumeTiming();
        benchmark::DoNotOptimize(lumora::tags::compressPage(page));
        state.PauseTiming();
        page = {};
        state.ResumeTiming();
    }
    state.counters["lines"] = static_cast<double>(loosePage().size());
}
BENCHMARK(CompressorLogic)->Unit(benchmark::kMillisecond);

void CompressorWindow(benchmark::State& state) {
    OffscreenWindow window;
    for (auto _ : state) {
        state.PauseTiming();
        window.form.RichEdit->setLines(loosePage());
        state.ResumeTiming();
        window.form.CompressHTML1Click();
    }
}
BENCHMARK(CompressorWindow)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
