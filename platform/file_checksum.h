#pragma once
// File sizes and CRC-32 checksums, and the list of them a distribution carries
// (SETUP.SUM beside setup), so that a damaged or cut-short file is noticed before it
// is installed or loaded.

#include <cstdint>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace lumora::platform {

// The name of the list in the distribution folder.
inline constexpr std::string_view ChecksumListName = "SETUP.SUM";

// CRC-32 (the polynomial of zip and PNG), continued from `crc` over `bytes`.
std::uint32_t crc32(std::string_view bytes, std::uint32_t crc = 0);

struct FileFacts {
    std::uint64_t size = 0;
    std::uint32_t crc = 0;
    bool operator==(const FileFacts&) const = default;
};

// The size and checksum of a regular file, read in blocks. Throws FileError
// (NotRegularFile for a pipe, a device or a folder).
FileFacts fileFacts(const std::filesystem::path& path);

// File name (exactly as in the folder) -> its facts.
using ChecksumList = std::map<std::string, FileFacts, std::less<>>;

// One line per file: eight hex digits of the checksum, the size in decimal, the name
// (which may hold blanks). Lines that do not read so are skipped.
std::string formatChecksumList(const ChecksumList& list);
ChecksumList parseChecksumList(std::string_view text);

// The list in `directory`; nothing when the folder has none (an older distribution)
// or it cannot be read.
std::optional<ChecksumList> readChecksumList(const std::filesystem::path& directory);

// Why the file is not the one recorded ("it holds 10 bytes, not 20", "its checksum
// differs from the one recorded", "No such file or directory", ...), or nothing when
// it matches. Without a checksum (`crc` empty) only the size is compared.
std::optional<std::string> fileMismatch(const std::filesystem::path& path, std::uint64_t size,
                                        std::optional<std::uint32_t> crc);

} // namespace lumora::platform
