#pragma once
// Page bytes to text and back. A page that starts with a UTF-16 byte order mark and
// reads as UTF-16 in that byte order is UTF-16; otherwise it is UTF-8 when its bytes
// are valid UTF-8 (a byte order mark is kept), otherwise Windows-1252, decoded so
// that each of the 256 byte values comes back unchanged on save.

#include "text/page_lines.h"

#include <string>
#include <string_view>

namespace lumora::text {

// The UTF-16 forms are saved with their byte order mark, in their byte order.
enum class PageEncoding { Utf8, Utf8WithBom, Windows1252, Utf16LE, Utf16BE };

struct DecodedPage {
    PageEncoding encoding = PageEncoding::Utf8;
    Lines lines; // UTF-8, without line breaks
};

bool isValidUtf8(std::string_view bytes);

// How far a file is looked at for NUL bytes before it counts as text.
inline constexpr size_t kBinaryProbeBytes = 8192;
// Why a binary file is not worked on, as the user is told.
inline constexpr std::string_view kBinaryFileReason =
    "a binary file (it holds NUL bytes), not a page";

// A NUL byte in the first kBinaryProbeBytes makes a file binary, unless it is a UTF-16
// page, where every character of the ASCII range holds one.
bool looksBinary(std::string_view bytes);

// Windows-1252 byte to UTF-8 and back. Unassigned bytes (0x81, 0x8D, 0x8F, 0x90,
// 0x9D) map to the C1 control of the same number, so nothing is lost.
std::string windows1252ToUtf8(std::string_view bytes);
// False when a character has no Windows-1252 byte; `out` is then incomplete.
bool utf8ToWindows1252(std::string_view utf8, std::string& out);

DecodedPage decodePage(std::string_view bytes);

struct EncodedPage {
    std::string bytes;
    PageEncoding encoding; // may differ from the requested one, see encodePage
};

// Each line followed by CR LF. A Windows-1252 page holding a character that
// Windows-1252 cannot store is written as UTF-8 instead, so no text is lost; UTF-8
// text that begins with U+FEFF gets a byte order mark in front, so it is kept.
EncodedPage encodePage(const Lines& lines, PageEncoding encoding);

} // namespace lumora::text
