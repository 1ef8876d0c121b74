#include "page_lines.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace lumora::text {

Lines splitLines(std::string_view text) {
    Lines lines;
    const size_t n = text.size();
    // The next LF and the next CR at or after `start`, each looked for again only once
    // passed, so a page is scanned twice with memchr rather than byte by byte.
    auto next = [&](char c, size_t from) {
        const void* found = from < n ? std::memchr(text.data() + from, c, n - from) : nullptr;
        return found ? static_cast<size_t>(static_cast<const char*>(found) - text.data()) : n;
    };
    size_t lf = next('\n', 0);
    size_t cr = next('\r', 0);
    size_t start = 0;
    while (start < n) {
        if (lf < start)
            lf = next('\n', start);
        if (cr < start)
            cr = next('\r', start);
        const size_t end = std::min(lf, cr);
        lines.emplace_back(text.substr(start, end - start));
        start = end == cr && end + 1 == lf ? end + 2 : end + 1;
    }
    return lines;
}

std::string joinWithCrLf(const Lines& lines) {
    size_t total = 0;
    for (const auto& line : lines)
        total += line.size() + 2;
    std::string out;
    out.reserve(total);
    for (const auto& line : lines) {
        out += line;
        out += "\r\n";
    }
    return out;
}

size_t charCount(std::string_view utf8) {
    // Eight bytes at a time: a byte continues a sequence when its top bits are 10, so
    // the high bit of each such byte survives `x & ~(x << 1)`. The flags are summed
    // with one multiplication (at most 8, so the top byte cannot overflow), which
    // needs no popcount instruction.
    constexpr uint64_t kEach = 0x0101010101010101ULL;
    size_t continuing = 0;
    size_t i = 0;
    for (; i + 8 <= utf8.size(); i += 8) {
        uint64_t x;
        std::memcpy(&x, utf8.data() + i, 8);
        const uint64_t flags = (x & ~(x << 1) & kEach * 0x80) >> 7;
        continuing += static_cast<size_t>((flags * kEach) >> 56);
    }
    for (; i < utf8.size(); ++i)
        continuing += (static_cast<unsigned char>(utf8[i]) & 0xC0) == 0x80;
    return utf8.size() - continuing;
}

size_t pageLength(const Lines& lines) {
    size_t total = 0;
    for (const auto& line : lines)
        total += charCount(line) + 2;
    return total;
}

} // namespace lumora::text
