#pragma once
// The decompression library's file format and its two directions. A compressed file
// is a 32-byte header of our own followed by one zstd frame with a content checksum:
//
//   0  "TSZ\x1A"          magic
//   4  uint16 version     1
//   6  uint16 header size 32
//   8  uint64 size        uncompressed size
//  16  int64  seconds     modification time of the original (seconds since 1970, UTC)
//  24  uint32 nanoseconds
//  28  uint32 mode        permission bits of the original
//
// All numbers little-endian.

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <stdexcept>

namespace tscomp {

struct Header {
    std::uint64_t size = 0;
    std::int64_t seconds = 0;
    std::uint32_t nanoseconds = 0;
    std::uint32_t mode = 0644;
};

inline constexpr std::size_t HeaderSize = 32;

// A failure of compress() or expand(); code() is one of the TSC_ERROR_ values.
class Failure : public std::runtime_error {
public:
    Failure(int code, const std::string& what) : std::runtime_error(what), code_(code) {}
    int code() const { return code_; }

private:
    int code_;
};

// Called with the byte count of each piece handled.
using Progress = std::function<void(std::uint64_t bytes)>;

// The header of a compressed file; nothing when the file cannot be read or is not one.
std::optional<Header> readHeader(const std::filesystem::path& path);

// Writes `target` as the compressed form of `source`; returns the compressed size.
std::uint64_t compress(const std::filesystem::path& source, const std::filesystem::path& target,
                       const Progress& progress = {}, int level = 19);

// Expands `source` into `target` through a temporary file beside it; returns the
// uncompressed size. The target is replaced only after the frame has been checked.
std::uint64_t expand(const std::filesystem::path& source, const std::filesystem::path& target,
                     const Progress& progress = {});

} // namespace tscomp
