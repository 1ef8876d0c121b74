#include "byte_scan.h"

#include "common/ascii_case.h"

#include <cstdint>
#include <cstring>

namespace lumora::editor {

namespace {

constexpr uint64_t kEachByte(uint8_t value) {
    return 0x0101010101010101ULL * value;
}

} // namespace

size_t countUtf8Chars(std::string_view utf8) {
    const char* at = utf8.data();
    size_t left = utf8.size();
    size_t continuations = 0;
    for (; left >= 8; at += 8, left -= 8) {
        uint64_t word;
        std::memcpy(&word, at, 8);
        // A continuation byte is 10xxxxxx: top bit set, the next one clear.
        // Summing the per-byte flags with one multiplication needs no popcount
        // instruction (at most 8, so the top byte cannot overflow).
        const uint64_t flags = (word & ~(word << 1) & kEachByte(0x80)) >> 7;
        continuations += static_cast<size_t>((flags * kEachByte(1)) >> 56);
    }
    for (; left > 0; ++at, --left)
        if ((static_cast<unsigned char>(*at) & 0xC0) == 0x80)
            ++continuations;
    return utf8.size() - continuations;
}

void lowerAtoZInPlace(char* bytes, size_t size) {
    lowerAtoZCopy(bytes, bytes, size);
}

void lowerAtoZCopy(char* out, const char* in, size_t size) {
    size_t left = size;
    for (; left >= 8; in += 8, out += 8, left -= 8) {
        uint64_t word;
        std::memcpy(&word, in, 8);
        // Per byte, with the top bit cleared so that no sum carries into the next byte:
        // top bit of `atLeastA` set when the byte is 'A' or more, of `aboveZ` when it
        // is above 'Z'; bytes with their own top bit set are never letters.
        const uint64_t low7 = word & kEachByte(0x7F);
        const uint64_t atLeastA = low7 + kEachByte(0x80 - 'A');
        const uint64_t aboveZ = low7 + kEachByte(0x80 - 'Z' - 1);
        const uint64_t upper = atLeastA & ~aboveZ & ~word & kEachByte(0x80);
        word |= upper >> 2;
        std::memcpy(out, &word, 8);
    }
    for (; left > 0; ++in, ++out, --left)
        *out = asciiLower(*in);
}

} // namespace lumora::editor
