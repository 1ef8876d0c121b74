#pragma once
// What the copy benchmarks share: the sizes of their two cases, a private work
// directory under TMPDIR, source files of pseudo-random bytes read once so the page
// cache is warm, and `cp -r` as the reference.

#include <benchmark/benchmark.h>

#include <cstddef>
#include <filesystem>
#include <string>

namespace lumora::bench {

inline constexpr std::size_t BigFileSize = 200u * 1024 * 1024;
inline constexpr int TreeDirectories = 20;
inline constexpr int FilesPerDirectory = 100;
inline constexpr std::size_t TreeFileSize = 100u * 1024;

// A new directory named after `prefix` under TMPDIR (or /tmp); aborts when it cannot.
std::filesystem::path makeWorkDirectory(const std::string& prefix);
void writeBytes(const std::filesystem::path& path, std::size_t size, unsigned seed);
// Reads the file, or every file in the directory tree, once.
void warm(const std::filesystem::path& path);
// `cp -r from to`; aborts when it fails.
void runCp(const std::filesystem::path& from, const std::filesystem::path& to);
// Removes `target` outside the timed part of an iteration.
void clearTarget(benchmark::State& state, const std::filesystem::path& target);
// Runs the registered benchmarks, then removes the work directory.
int runBenchmarks(int argc, char** argv, const std::filesystem::path& workDirectory);

} // namespace lumora::bench
