#include "page_codec.h"

#include "text/utf8_char.h"

#include <array>
#include <optional>

namespace lumora::text {

namespace {

constexpr std::string_view kBom = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LeBom = "\xFF\xFE";
constexpr std::string_view kUtf16BeBom = "\xFE\xFF";

// Code points of bytes 0x80..0x9F; the rest of Windows-1252 equals Latin-1.
constexpr std::array<char32_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

// The code point at `i`, advancing past it.
char32_t nextCodePoint(std::string_view s, size_t& i) {
    const Utf8Char next = decodeUtf8At(s, i);
    i += next.length;
    return next.codePoint;
}

char16_t unitAt(std::string_view bytes, size_t index, bool bigEndian) {
    const auto first = static_cast<unsigned char>(bytes[index]);
    const auto second = static_cast<unsigned char>(bytes[index + 1]);
    return static_cast<char16_t>(bigEndian ? (first << 8) | second : (second << 8) | first);
}

// The text of UTF-16 bytes (without their mark) as UTF-8; nothing when the bytes are
// no UTF-16: an odd count or a surrogate without its partner, which could not be
// written back as they were.
std::optional<std::string> utf16ToUtf8(std::string_view bytes, bool bigEndian) {
    if (bytes.size() % 2 != 0)
        return std::nullopt;
    std::string out;
    out.reserve(bytes.size());
    for (size_t i = 0; i < bytes.size(); i += 2) {
        const char16_t unit = unitAt(bytes, i, bigEndian);
        if (unit >= 0xDC00 && unit <= 0xDFFF)
            return std::nullopt;
        if (unit < 0xD800 || unit > 0xDBFF) {
            appendUtf8(out, unit);
            continue;
        }
        if (i + 3 >= bytes.size())
            return std::nullopt;
        const char16_t low = unitAt(bytes, i + 2, bigEndian);
        if (low < 0xDC00 || low > 0xDFFF)
            return std::nullopt;
        appendUtf8(out, 0x10000 + ((static_cast<char32_t>(unit) - 0xD800) << 10) + (low - 0xDC00));
        i += 2;
    }
    return out;
}

void appendUnit(std::string& out, char32_t unit, bool bigEndian) {
    const auto high = static_cast<char>((unit >> 8) & 0xFF);
    const auto low = static_cast<char>(unit & 0xFF);
    out += bigEndian ? high : low;
    out += bigEndian ? low : high;
}

std::string utf8ToUtf16(std::string_view utf8, bool bigEndian) {
    std::string out(bigEndian ? kUtf16BeBom : kUtf16LeBom);
    out.reserve(2 + utf8.size() * 2);
    size_t i = 0;
    while (i < utf8.size()) {
        const char32_t cp = nextCodePoint(utf8, i);
        if (cp < 0x10000) {
            appendUnit(out, cp, bigEndian);
        } else {
            appendUnit(out, 0xD800 + ((cp - 0x10000) >> 10), bigEndian);
            appendUnit(out, 0xDC00 + ((cp - 0x10000) & 0x3FF), bigEndian);
        }
    }
    return out;
}

// The text of a UTF-16 page and its encoding, when the bytes are one.
std::optional<std::pair<std::string, PageEncoding>> asUtf16Page(std::string_view bytes) {
    for (const bool bigEndian : {false, true}) {
        const std::string_view mark = bigEndian ? kUtf16BeBom : kUtf16LeBom;
        if (!bytes.starts_with(mark))
            continue;
        if (auto text = utf16ToUtf8(bytes.substr(mark.size()), bigEndian))
            return std::pair{std::move(*text),
                             bigEndian ? PageEncoding::Utf16BE : PageEncoding::Utf16LE};
    }
    return std::nullopt;
}

} // namespace

bool looksBinary(std::string_view bytes) {
    return bytes.substr(0, kBinaryProbeBytes).find('\0') != std::string_view::npos &&
           !asUtf16Page(bytes);
}

bool isValidUtf8(std::string_view s) {
    for (size_t i = 0; i < s.size();) {
        const Utf8Char next = decodeUtf8At(s, i);
        if (!next.valid)
            return false;
        i += next.length;
    }
    return true;
}

std::string windows1252ToUtf8(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 8);
    for (char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        if (b < 0x80)
            out += c;
        else if (b < 0xA0)
            appendUtf8(out, kHighControls[b - 0x80]);
        else
            appendUtf8(out, b);
    }
    return out;
}

bool utf8ToWindows1252(std::string_view utf8, std::string& out) {
    out.clear();
    out.reserve(utf8.size());
    size_t i = 0;
    while (i < utf8.size()) {
        const char32_t cp = nextCodePoint(utf8, i);
        if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) {
            out += static_cast<char>(cp);
            continue;
        }
        bool found = false;
        for (size_t k = 0; k < kHighControls.size(); ++k) {
            if (kHighControls[k] == cp) {
                out += static_cast<char>(0x80 + k);
                found = true;
                break;
            }
        }
        if (!found)
            return false;
    }
    return true;
}

DecodedPage decodePage(std::string_view bytes) {
    DecodedPage page;
    if (auto utf16 = asUtf16Page(bytes)) {
        page.encoding = utf16->second;
        page.lines = splitLines(utf16->first);
    } else if (isValidUtf8(bytes)) {
        if (bytes.substr(0, kBom.size()) == kBom) {
            page.encoding = PageEncoding::Utf8WithBom;
            bytes.remove_prefix(kBom.size());
        } else {
            page.encoding = PageEncoding::Utf8;
        }
        page.lines = splitLines(bytes);
    } else {
        page.encoding = PageEncoding::Windows1252;
        page.lines = splitLines(windows1252ToUtf8(bytes));
    }
    return page;
}

EncodedPage encodePage(const Lines& lines, PageEncoding encoding) {
    std::string text = joinWithCrLf(lines);
    // Text that begins with U+FEFF would read back as a byte order mark and lose the
    // character: it gets a byte order mark of its own in front.
    const bool startsLikeBom = text.starts_with(kBom);
    switch (encoding) {
    case PageEncoding::Utf8:
        if (startsLikeBom)
            return {std::string(kBom) + text, PageEncoding::Utf8WithBom};
        return {std::move(text), encoding};
    case PageEncoding::Utf8WithBom:
        return {std::string(kBom) + text, encoding};
    case PageEncoding::Windows1252: {
        std::string bytes;
        // Bytes that read back as UTF-16 (a page starting with "ÿþ" or
        // "þÿ") or as UTF-8 with other letters would lose the text: such a page
        // is saved as UTF-8 instead.
        if (utf8ToWindows1252(text, bytes) && !asUtf16Page(bytes) &&
            !(isValidUtf8(bytes) && bytes != text))
            return {std::move(bytes), encoding};
        if (startsLikeBom)
            return {std::string(kBom) + text, PageEncoding::Utf8WithBom};
        return {std::move(text), PageEncoding::Utf8};
    }
    case PageEncoding::Utf16LE:
    case PageEncoding::Utf16BE:
        return {utf8ToUtf16(text, encoding == PageEncoding::Utf16BE), encoding};
    }
    return {std::move(text), PageEncoding::Utf8};
}

} // namespace lumora::text
