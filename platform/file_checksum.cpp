#include "file_checksum.h"

#include "regular_file_read.h"

#include <array>
#include <charconv>
#include <cstdio>
#include <vector>

namespace lumora::platform {

namespace {

constexpr std::array<std::uint32_t, 256> makeTable() {
    std::array<std::uint32_t, 256> table{};
    for (std::uint32_t n = 0; n < 256; ++n) {
        std::uint32_t c = n;
        for (int k = 0; k < 8; ++k)
            c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
        table[n] = c;
    }
    return table;
}

constexpr auto Table = makeTable();

std::string sizeText(std::uint64_t size) {
    return std::to_string(size) + (size == 1 ? " byte" : " bytes");
}

} // namespace

std::uint32_t crc32(std::string_view bytes, std::uint32_t crc) {
    crc = ~crc;
    for (const char byte : bytes)
        crc = Table[(crc ^ static_cast<unsigned char>(byte)) & 0xFFu] ^ (crc >> 8);
    return ~crc;
}

FileFacts fileFacts(const std::filesystem::path& path) {
    const RegularFile file = openRegularFile(path);
    FileFacts facts;
    std::vector<char> block(1 << 16);
    for (;;) {
        std::size_t got = 0;
        try {
            got = readFull(file.descriptor, block.data(), block.size());
        } catch (const std::system_error& error) {
            throw FileError(path.string(), error.code().message());
        }
        facts.crc = crc32({block.data(), got}, facts.crc);
        facts.size += got;
        if (got < block.size())
            break;
    }
    return facts;
}

std::string formatChecksumList(const ChecksumList& list) {
    std::string text;
    for (const auto& [name, facts] : list) {
        char crc[9];
        std::snprintf(crc, sizeof crc, "%08x", static_cast<unsigned>(facts.crc));
        text += std::string(crc) + " " + std::to_string(facts.size) + " " + name + "\n";
    }
    return text;
}

ChecksumList parseChecksumList(std::string_view text) {
    ChecksumList list;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        FileFacts facts;
        const char* first = line.data();
        const char* last = line.data() + line.size();
        auto [afterCrc, crcError] = std::from_chars(first, last, facts.crc, 16);
        if (crcError != std::errc() || afterCrc - first != 8 || afterCrc == last ||
            *afterCrc != ' ')
            continue;
        auto [afterSize, sizeError] = std::from_chars(afterCrc + 1, last, facts.size);
        if (sizeError != std::errc() || afterSize == last || *afterSize != ' ' ||
            afterSize + 1 == last)
            continue;
        list[std::string(afterSize + 1, last)] = facts;
    }
    return list;
}

std::optional<ChecksumList> readChecksumList(const std::filesystem::path& directory) {
    try {
        return parseChecksumList(readRegularFile(directory / ChecksumListName));
    } catch (const FileError&) {
        return std::nullopt;
    }
}

std::optional<std::string> fileMismatch(const std::filesystem::path& path, std::uint64_t size,
                                        std::optional<std::uint32_t> crc) {
    std::error_code statusError;
    const auto status = pathStatus(path, statusError);
    if (!status)
        return statusError.message();
    if (!status->regular)
        return std::string("not a regular file");
    const std::uint64_t found = status->size;
    if (found != size)
        return "it holds " + sizeText(found) + ", not " + std::to_string(size);
    if (!crc)
        return std::nullopt;
    try {
        const FileFacts facts = fileFacts(path);
        if (facts.size != size)
            return "it holds " + sizeText(facts.size) + ", not " + std::to_string(size);
        if (facts.crc != *crc)
            return std::string("its checksum differs from the one recorded");
    } catch (const NotRegularFile&) {
        return std::string("not a regular file");
    } catch (const FileError& error) {
        const std::string what = error.what();
        return what.substr(std::min(what.size(), error.path().size() + 2));
    }
    return std::nullopt;
}

} // namespace lumora::platform
