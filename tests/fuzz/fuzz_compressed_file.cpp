// Compressed files: whatever a file holds, expanding it fails cleanly or gives the
// size its header states; what it expands to compresses and expands to the same bytes.

#include "fuzz_check.h"
#include "fuzz_scratch.h"
#include "setup/engine/decompression_library/compressed_file.h"

#include <cstddef>
#include <cstdint>
#include <fstream>
#include <sstream>

using lumora::fuzz::require;
namespace fs = std::filesystem;

namespace {

std::string contentsOf(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const fs::path source = lumora::fuzz::scratchFile("packed", lumora::fuzz::asText(data, size));
    const fs::path target = lumora::fuzz::scratchDirectory() / "expanded";
    const auto header = tscomp::readHeader(source);
    std::uint64_t expanded = 0;
    try {
        std::uint64_t reported = 0;
        expanded = tscomp::expand(source, target, [&](std::uint64_t bytes) { reported += bytes; });
        require(reported <= expanded, "expanding reports more bytes than it wrote");
    } catch (const tscomp::Failure&) {
        return 0;
    }
    require(header.has_value(), "a file without a header expands");
    require(expanded == header->size, "a file expands to another size than its header states");
    fs::permissions(target, fs::perms::owner_read | fs::perms::owner_write);
    const std::string bytes = contentsOf(target);
    require(bytes.size() == expanded, "an expanded file holds another size than reported");

    const fs::path again = lumora::fuzz::scratchDirectory() / "packed-again";
    tscomp::compress(target, again, {}, 1);
    const fs::path back = lumora::fuzz::scratchDirectory() / "expanded-again";
    require(tscomp::expand(again, back) == expanded, "a compressed file expands to another size");
    fs::permissions(back, fs::perms::owner_read | fs::perms::owner_write);
    require(contentsOf(back) == bytes, "a compressed file expands to other bytes");
    return 0;
}
