// The uninstall's reading of a large install log, the fold of a large journal into
// the log, and the registry with many values under one key, each at 10,000 and
// 100,000 entries: the time per entry stays the same when the work is linear. Files
// are listed in reverse order (the worst order for a sorted insert). Everything lives
// in a private directory under TMPDIR.

#include "copy_bench_support.h"

#include "platform/registry.h"
#include "setup/engine/install_journal.h"
#include "setup/engine/language_library.h"
#include "setup/engine/scripted_setup_interaction.h"
#include "setup/engine/setup_info.h"
#include "setup/engine/setup_message_pump.h"

#include <fstream>
#include <string>

namespace fs = std::filesystem;
using namespace setupkit;
using namespace lumora::bench;

namespace {

fs::path workDir;

std::string fileName(std::int64_t i) {
    return "C:\\target\\dir" + std::to_string(i % 97) + "\\file" + std::to_string(i) + ".dat";
}

// A log of `count` files in reverse order, `count` / 10 directories and `count` group
// lines.
void writeLog(const fs::path& path, std::int64_t count) {
    std::ofstream out(path, std::ios::binary);
    out << "[Directories]\r\nInstall=C:\\target\\\r\n\r\n[Created Dirs]\r\n";
    for (std::int64_t i = count / 10; i-- > 0;)
        out << "C:\\target\\dir" << i << "\\=\r\n";
    out << "\r\n[Files]\r\n";
    for (std::int64_t i = count; i-- > 0;)
        out << fileName(i) << "=\r\n";
    out << "\r\n[Program Groups]\r\n";
    for (std::int64_t i = 0; i < count; ++i)
        out << i << "=Group" << i / 100 << ":~:Item" << i << "\r\n";
}

struct Controller {
    Controller() {
        services.drives.map('C', workDir);
        services.programFile = workDir / "target" / "setup";
        services.interaction = &interaction;
        services.languageLoader = noLanguageLibrary();
        services.pump = &pump;
        info = form.Create<TSetupInfo>(services);
    }
    SetupServices services;
    ScriptedSetupInteraction interaction;
    IdleSetupPump pump;
    ComponentOwner form;
    TSetupInfo* info = nullptr;
};

void BM_ReadInstallLog(benchmark::State& state) {
    const std::int64_t count = state.range(0);
    fs::create_directories(workDir / "target");
    writeLog(workDir / "target" / "INSTALL.LOG", count);
    Controller controller;
    for (auto _ : state) {
        controller.info->ReadInstallLog("C:\\target\\INSTALL.LOG", true);
        benchmark::DoNotOptimize(controller.info->InstalledFiles().size());
    }
    state.SetItemsProcessed(state.iterations() * count);
}

void BM_FoldJournal(benchmark::State& state) {
    const std::int64_t count = state.range(0);
    const fs::path log = workDir / "fold.log";
    const fs::path journal = workDir / "fold.log.journal";
    std::string lines;
    for (std::int64_t i = count; i-- > 0;)
        lines += journalLine(JournalRecord::File, fileName(i));
    for (std::int64_t i = 0; i < count; ++i)
        lines += journalLine(JournalRecord::Group,
                             "Group" + std::to_string(i / 100) + ":~:Item" + std::to_string(i));
    for (auto _ : state) {
        state.PauseTiming();
        writeLog(log, count);
        std::ofstream(journal, std::ios::binary) << lines;
        state.ResumeTiming();
        foldInstallJournal(journal, log, [](const std::string&) { return true; });
    }
    state.SetItemsProcessed(state.iterations() * count);
}

// One read and one write of a value under a key that holds `count` values.
void BM_RegistryManyValues(benchmark::State& state) {
    const std::int64_t count = state.range(0);
    const fs::path store = workDir / ("registry" + std::to_string(count));
    {
        std::ofstream out(store, std::ios::binary);
        out << "[HKEY_LOCAL_MACHINE\\Software\\Big]\n";
        for (std::int64_t i = 0; i < count; ++i)
            out << "\"Value" << i << "\"=\"" << i << "\"\n";
    }
    lumora::platform::Registry registry(store);
    std::int64_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(
            registry.readString("HKLM\\Software\\Big", "value" + std::to_string(i % count)));
        registry.writeString("HKLM\\Software\\Big", "VALUE" + std::to_string(count - 1), "x");
        ++i;
    }
    state.SetItemsProcessed(state.iterations() * count);
}

} // namespace

BENCHMARK(BM_ReadInstallLog)->Arg(10'000)->Arg(100'000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FoldJournal)->Arg(10'000)->Arg(100'000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RegistryManyValues)->Arg(10'000)->Arg(100'000)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    workDir = makeWorkDirectory("install-log-bench");
    return runBenchmarks(argc, argv, workDir);
}
