// The file copy page's whole run (space check, directories, copy list, overwrite rule,
// CopyFileWithProgress with the page's progress accounting, the records for the log)
// against `cp -r` of the same files, in the same run, the sources read once beforehand
// so the page cache is warm: one 200 MB file, and 2,000 files of 100 KB installed into
// 20 directories. Everything lives in a private directory under TMPDIR.

#include "copy_bench_support.h"

#include "setup/engine/scripted_setup_interaction.h"
#include "setup/engine/setup_info.h"
#include "setup/engine/setup_message_pump.h"
#include "setup/engine/setup_page.h"
#include "setup/pages/file_copy_run.h"

#include <string>
#include <vector>

namespace fs = std::filesystem;
using namespace setupkit;
using namespace lumora::bench;

namespace {

fs::path workDir;

std::string treeFileName(int directory, int file) {
    return "d" + std::to_string(directory) + "f" + std::to_string(file) + ".dat";
}

void prepare() {
    workDir = makeWorkDirectory("copy-run-bench");
    // The setup "disks": the program's directory holds every file, as a one-disk install.
    fs::create_directories(workDir / "big");
    fs::create_directories(workDir / "tree");
    writeBytes(workDir / "big" / "big.bin", BigFileSize, 1);
    unsigned seed = 2;
    for (int d = 0; d < TreeDirectories; ++d)
        for (int f = 0; f < FilesPerDirectory; ++f)
            writeBytes(workDir / "tree" / treeFileName(d, f), TreeFileSize, seed++);
    warm(workDir / "big");
    warm(workDir / "tree");
}

class CountingDisplay : public FileCopyDisplay {
public:
    void showFilesLeft(std::size_t) override {}
    void showSource(const std::string&) override {}
    void showTarget(const std::string&) override {}
    void startTotal(std::int64_t) override {}
    void startFile(std::int64_t) override {}
    void addProgress(std::int64_t bytes) override { progress += bytes; }
    std::int64_t progress = 0;
};

// A controller whose program lies in `sourceDirectory`, installing into C:\target\:
// `files` gives each file's name and its subdirectory of the target ("" for the top).
struct Installer {
    Installer(const std::string& sourceDirectory,
              const std::vector<std::pair<std::string, std::string>>& files) {
        services.drives.map('C', workDir);
        services.programFile = workDir / sourceDirectory / "setup";
        services.interaction = &interaction;
        services.languageLoader = noLanguageLibrary();
        services.pump = &pump;
        info = form.Create<TSetupInfo>(services);
        page = form.Create<TSetupPage>();
        TSetupData& script = info->SetupData();
        script.ClearFiles();
        TSetupDir* install = script.FindDir("Install");
        install->SetDir("C:\\target\\");
        for (const auto& [name, subdirectory] : files) {
            TSetupDir* dir = subdirectory.empty()
                                 ? install
                                 : script.AddDir(subdirectory, subdirectory + "\\", install);
            TSetupFile* file = script.AddFile("C:\\" + sourceDirectory + "\\" + name);
            file->SetSize(
                static_cast<std::int32_t>(fs::file_size(workDir / sourceDirectory / name)));
            dir->AddFile(file);
            script.GetDisk(1)->AddFile(file);
        }
        info->SelectDir(install, true);
    }
    std::int64_t run() {
        CountingDisplay display;
        TSetupOverWriteOptions overWrite = swAlways;
        bool abort = false;
        FileCopyRun copy(*page, *info, display, {&overWrite, false, {}}, abort);
        if (copy.run() != FileCopyOutcome::Finished)
            std::abort();
        return display.progress;
    }

    SetupServices services;
    ScriptedSetupInteraction interaction;
    IdleSetupPump pump;
    ComponentOwner form;
    TSetupInfo* info = nullptr;
    TSetupPage* page = nullptr;
};

void BM_OneFile_FileCopyRun(benchmark::State& state) {
    Installer installer("big", {{"big.bin", ""}});
    for (auto _ : state) {
        clearTarget(state, workDir / "target");
        benchmark::DoNotOptimize(installer.run());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * BigFileSize));
}

void BM_OneFile_cp(benchmark::State& state) {
    for (auto _ : state) {
        clearTarget(state, workDir / "target");
        runCp(workDir / "big", workDir / "target");
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * BigFileSize));
}

void BM_Tree_FileCopyRun(benchmark::State& state) {
    std::vector<std::pair<std::string, std::string>> files;
    for (int d = 0; d < TreeDirectories; ++d)
        for (int f = 0; f < FilesPerDirectory; ++f)
            files.emplace_back(treeFileName(d, f), "dir" + std::to_string(d));
    Installer installer("tree", files);
    for (auto _ : state) {
        clearTarget(state, workDir / "target");
        benchmark::DoNotOptimize(installer.run());
    }
    state.SetItemsProcessed(state.iterations() * TreeDirectories * FilesPerDirectory);
}

void BM_Tree_cp(benchmark::State& state) {
    for (auto _ : state) {
        clearTarget(state, workDir / "target");
        runCp(workDir / "tree", workDir / "target");
    }
    state.SetItemsProcessed(state.iterations() * TreeDirectories * FilesPerDirectory);
}

} // namespace

BENCHMARK(BM_OneFile_FileCopyRun)->Unit(benchmark::kMillisecond)->Iterations(8);
BENCHMARK(BM_OneFile_cp)->Unit(benchmark::kMillisecond)->Iterations(8);
BENCHMARK(BM_Tree_FileCopyRun)->Unit(benchmark::kMillisecond)->Iterations(8);
BENCHMARK(BM_Tree_cp)->Unit(benchmark::kMillisecond)->Iterations(8);

int main(int argc, char** argv) {
    prepare();
    return runBenchmarks(argc, argv, workDir);
}
