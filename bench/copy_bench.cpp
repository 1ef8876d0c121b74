// The installer's file copy against cp: one 200 MB file and a tree of 2,000 files of
// 100 KB, copied through CopyFileWithProgress (with a progress callback, as the copy
// page uses it) and by `cp -r` in the same run, the sources read once beforehand so the
// page cache is warm. Everything lives in a private directory under TMPDIR, removed at
// the end.

#include "setup/engine/copy_file_with_progress.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;

namespace {

constexpr std::size_t BigFileSize = 200u * 1024 * 1024;
constexpr int TreeDirectories = 20;
constexpr int FilesPerDirectory = 100;
constexpr std::size_t TreeFileSize = 100u * 1024;

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

void writeBytes(const fs::path& path, std::size_t size, unsigned seed) {
    std::string bytes(size, '\0');
    unsigned state = seed;
    for (char& c : bytes) {
        state = state * 1103515245u + 12345u;
        c = static_cast<char>(state >> 24);
    }
    std::ofstream(path, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(size));
}

void warm(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::vector<char> block(1 << 20);
    while (in.read(block.data(), static_cast<std::streamsize>(block.size())) || in.gcount() > 0) {
    }
}

void prepare() {
    const char* base = std::getenv("TMPDIR");
    std::string pattern = std::string(base && *base ? base : "/tmp") + "/copy-bench-XXXXXX";
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    if (!::mkdtemp(name.data()))
        std::abort();
    workDir = name.data();
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
    for (const auto& entry : fs::recursive_directory_iterator(treeSource()))
        if (entry.is_regular_file())
            warm(entry.path());
}

void runCp(const fs::path& from, const fs::path& to) {
    const pid_t child = ::fork();
    if (child == 0) {
        ::execlp("cp", "cp", "-r", from.c_str(), to.c_str(), static_cast<char*>(nullptr));
        ::_exit(127);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        std::abort();
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

void clearTarget(benchmark::State& state) {
    state.PauseTiming();
    fs::remove_all(target());
    state.ResumeTiming();
}

void BM_OneFile_CopyFileWithProgress(benchmark::State& state) {
    for (auto _ : state) {
        clearTarget(state);
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
        clearTarget(state);
        runCp(bigSource(), target());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * BigFileSize));
}

void BM_Tree_CopyFileWithProgress(benchmark::State& state) {
    for (auto _ : state) {
        clearTarget(state);
        std::int64_t progress = 0;
        copyTree(treeSource(), target(), progress);
        benchmark::DoNotOptimize(progress);
    }
    state.SetItemsProcessed(state.iterations() * TreeDirectories * FilesPerDirectory);
}

void BM_Tree_cp(benchmark::State& state) {
    for (auto _ : state) {
        clearTarget(state);
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
    benchmark::Initialize(&argc, argv);
    prepare();
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    fs::remove_all(workDir);
    return 0;
}
