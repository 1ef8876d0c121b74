// The installer's file copy against cp: one 200 MB file and a tree of 2,000 files of
// 100 KB, copied through CopyFileWithProgress (with a progress callback, as the copy
// page uses it) and by `cp -r` in the same run, the sources read once beforehand so the
// page cache is warm. Everything lives in a private directory under TMPDIR, removed at
// the end.

#include "copy_bench_support.h"

#include "setup/engine/copy_file_with_progress.h"

namespace fs = std::filesystem;

using namespace lumora::bench;

namespace {

fs::path workDir;

fs::path bigSource() {
    return workDir / "source" / "big.bin";
}
fs::path treeSource() {
    return workDir / "source" / "tree";
}
fs::path target() {
    return workDir / "target";
}

void prepare() {
    workDir = makeWorkDirectory("copy-bench");
    fs::create_directories(treeSource());
    writeBytes(bigSource(), BigFileSize, 1);
    unsigned seed = 2;
    for (int d = 0; d < TreeDirectories; ++d) {
        const fs::path dir = treeSource() / ("dir" + std::to_string(d));
        fs::create_directory(dir);
        for (int f = 0; f < FilesPerDirectory; ++f)
            writeBytes(dir / ("file" + std::to_string(f) + ".dat"), TreeFileSize, seed++);
    }
    warm(bigSource());
    warm(treeSource());
}

void copyTree(const fs::path& from, const fs::path& to, std::int64_t& progress) {
    fs::create_directory(to);
    for (const auto& entry : fs::directory_iterator(from)) {
        const fs::path into = to / entry.path().filename();
        if (entry.is_directory())
            copyTree(entry.path(), into, progress);
        else
            setupkit::CopyFileWithProgress(entry.path(), into,
                                           [&progress](int bytes) { progress += bytes; });
    }
}

void BM_OneFile_CopyFileWithProgress(benchmark::State& state) {
    for (auto _ : state) {
        clearTarget(state, target());
        std::int64_t progress = 0;
        setupkit::CopyFileWithProgress(bigSource(), target(),
                                       [&progress](int bytes) { progress += bytes; });
        benchmark::DoNotOptimize(progress);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * BigFileSize));
}

void BM_OneFile_CopyFileWithProgress_Replacing(benchmark::State& state) {
    setupkit::CopyFileWithProgress(bigSource(), target());
    for (auto _ : state) {
        std::int64_t progress = 0;
        setupkit::CopyFileWithProgress(bigSource(), target(),
                                       [&progress](int bytes) { progress += bytes; });
        benchmark::DoNotOptimize(progress);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * BigFileSize));
    fs::remove_all(target());
}

void BM_OneFile_cp(benchmark::State& state) {
    for (auto _ : state) {
        clearTarget(state, target());
        runCp(bigSource(), target());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * BigFileSize));
}

void BM_Tree_CopyFileWithProgress(benchmark::State& state) {
    for (auto _ : state) {
        clearTarget(state, target());
        std::int64_t progress = 0;
        copyTree(treeSource(), target(), progress);
        benchmark::DoNotOptimize(progress);
    }
    state.SetItemsProcessed(state.iterations() * TreeDirectories * FilesPerDirectory);
}

void BM_Tree_cp(benchmark::State& state) {
    for (auto _ : state) {
        clearTarget(state, target());
        runCp(treeSource(), target());
    }
    state.SetItemsProcessed(state.iterations() * TreeDirectories * FilesPerDirectory);
}

} // namespace

BENCHMARK(BM_OneFile_CopyFileWithProgress)->Unit(benchmark::kMillisecond)->Iterations(8);
BENCHMARK(BM_OneFile_cp)->Unit(benchmark::kMillisecond)->Iterations(8);
BENCHMARK(BM_OneFile_CopyFileWithProgress_Replacing)->Unit(benchmark::kMillisecond)->Iterations(4);
BENCHMARK(BM_Tree_CopyFileWithProgress)->Unit(benchmark::kMillisecond)->Iterations(8);
BENCHMARK(BM_Tree_cp)->Unit(benchmark::kMillisecond)->Iterations(8);

int main(int argc, char** argv) {
    prepare();
    return runBenchmarks(argc, argv, workDir);
}
