// The tag chain on a large page with "No" to every proposal, so the title walk
// runs to its end: the finder's logic alone, the same walk through the window
// offscreen, and the tag builder alone.

#include "page_generator.h"

#include "editor/logic/interaction.h"
#include "editor/logic/message_pump.h"
#include "editor/page_editor.h"
#include "editor/tform1.h"
#include "keywords/word_counts.h"
#include "tags/meta_tag_builder.h"
#include "tags/proposal_finder.h"
#include "text/page_codec.h"

#include <QListWidget>
#include <benchmark/benchmark.h>

namespace {

const lumora::text::Lines& lines(size_t megabytes) {
    static const auto eight = lumora::text::decodePage(lumora::bench::generatePage(8u << 20)).lines;
    static const auto one = lumora::text::decodePage(lumora::bench::generatePage(1u << 20)).lines;
    return megabytes == 8 ? eight : one;
}

const std::vector<std::string> kNoise = {"the", "and",  "for", "with", "that", "this", "your",
                                         "our", "from", "are", "href", "nbsp", "htm"};

// The eleven most frequent words: what a scan settles on at a high sensitivity.
std::vector<std::string> keywordsOf(const lumora::text::Lines& page) {
    lumora::keywords::WordCounts counts{lumora::keywords::NoiseFilter(kNoise)};
    counts.addLines(page);
    for (int s = 25;; s *= 2) {
        auto found = counts.keywords(s);
        if (found.size() <= 11)
            return found;
    }
}

// Refuses every proposal, answers Yes to the builder, records nothing.
class AlwaysNo : public lumora::editor::Interaction {
public:
    void showMessage(const std::string&) override {}
    void showError(const std::string&) override {}
    lumora::editor::Answer ask(const std::string&, lumora::editor::QuestionButtons) override {
        ++questions;
        return lumora::editor::Answer::No;
    }
    std::optional<std::string> chooseOpenFile(const lumora::editor::FileDialogRequest&) override {
        return std::nullopt;
    }
    std::optional<std::string> chooseSaveFile(const lumora::editor::FileDialogRequest&) override {
        return std::nullopt;
    }
    std::optional<lumora::editor::FontDescription>
    chooseFont(const lumora::editor::FontDialogRequest&) override {
        return std::nullopt;
    }
    void showModal(lumora::editor::ModalDialog&) override {}
    long questions = 0;
};

void TitleWalkLogic(benchmark::State& state) {
    const auto& page = lines(static_cast<size_t>(state.range(0)));
    const auto keywords = keywordsOf(page);
    long proposals = 0;
    for (auto _ : state) {
        lumora::tags::ProposalFinder finder(lumora::tags::FinderKind::Title,
                                            {true, true, true, keywords, {}, ""});
        auto step = finder.start(page);
        while (step.question) {
            ++proposals;
            step = finder.answer(lumora::tags::Answer::No);
        }
    }
    state.counters["proposals"] =
        static_cast<double>(proposals) / static_cast<double>(state.iterations());
}
BENCHMARK(TitleWalkLogic)->Arg(1)->Arg(8)->Unit(benchmark::kMillisecond)->Iterations(1);

void TitleWalkWindow(benchmark::State& state) {
    const auto& page = lines(static_cast<size_t>(state.range(0)));
    const auto keywords = keywordsOf(page);
    AlwaysNo ui;
    lumora::editor::IdlePump pump;
    lumora::editor::TForm1 form({ui, pump, "/nonexistent"});
    form.RichEdit->setLines(page);
    for (auto _ : state) {
        state.PauseTiming();
        form.ListBox3->clear();
        for (const auto& k : keywords)
            form.ListBox3->addItem(QString::fromStdString(k));
        ui.questions = 0;
        state.ResumeTiming();
        form.SpeedButton1Click();
    }
    state.counters["proposals"] = static_cast<double>(ui.questions);
}
BENCHMARK(TitleWalkWindow)->Arg(1)->Arg(8)->Unit(benchmark::kMillisecond)->Iterations(1);

void BuilderLogic(benchmark::State& state) {
    const auto& page = lines(8);
    lumora::tags::MetaTagControls controls;
    controls.automaticMode = true;
    controls.scanKeywords = keywordsOf(page);
    controls.titleStorage = " garden notes";
    for (auto _ : state) {
        auto outcome = lumora::tags::buildMetaTags(page, controls, lumora::tags::Answer::Yes);
        benchmark::DoNotOptimize(outcome);
    }
}
BENCHMARK(BuilderLogic)->Unit(benchmark::kMillisecond);

} // namespace
