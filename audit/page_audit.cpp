#include "page_audit.h"

#include "audit/head_reader.h"
#include "common/ascii_case.h"
#include "tags/tag_tester.h"
#include "text/ascii_case.h"
#include "text/page_codec.h"

#include <algorithm>
#include <cstring>

namespace lumora::audit {

namespace {

TagText tagText(const std::optional<std::string>& raw) {
    TagText tag;
    if (!raw)
        return tag;
    tag.present = true;
    tag.text = cleanTagText(*raw);
    tag.length = text::charCount(tag.text);
    return tag;
}

ByteCharset byteCharsetOf(std::string_view bytes, text::PageEncoding encoding) {
    switch (encoding) {
    case text::PageEncoding::Utf16LE:
    case text::PageEncoding::Utf16BE:
        return ByteCharset::Utf16;
    case text::PageEncoding::Windows1252:
        return ByteCharset::Windows1252;
    case text::PageEncoding::Utf8WithBom:
        return ByteCharset::Utf8;
    case text::PageEncoding::Utf8:
        break;
    }
    // Eight bytes at a time, without an early exit: most pages are ASCII to the end.
    std::uint64_t words = 0;
    size_t i = 0;
    for (; i + 8 <= bytes.size(); i += 8) {
        std::uint64_t word;
        std::memcpy(&word, bytes.data() + i, 8);
        words |= word;
    }
    unsigned bits = (words & 0x8080808080808080ull) ? 0x80u : 0u;
    for (; i < bytes.size(); ++i)
        bits |= static_cast<unsigned char>(bytes[i]);
    return bits < 0x80 ? ByteCharset::Ascii : ByteCharset::Utf8;
}

// Labels that name one of the charsets a page is read in. Browsers read the Latin-1
// and ASCII labels as Windows-1252, so those fit its bytes too.
constexpr std::string_view kUtf8Labels[] = {"utf-8", "utf8", "unicode-1-1-utf-8"};
constexpr std::string_view kWindows1252Labels[] = {
    "windows-1252", "cp1252", "x-cp1252", "iso-8859-1", "iso8859-1", "iso_8859-1", "latin1",
    "l1",           "cp819",  "ibm819",   "us-ascii",   "ascii",     "iso-ir-100", "csisolatin1"};
constexpr std::string_view kUtf16Labels[] = {"utf-16", "utf-16le", "utf-16be", "unicode"};

template <size_t N> bool among(std::string_view label, const std::string_view (&labels)[N]) {
    return std::any_of(std::begin(labels), std::end(labels),
                       [&](std::string_view known) { return equalsIgnoringCase(label, known); });
}

} // namespace

std::string_view byteCharsetName(ByteCharset charset) {
    switch (charset) {
    case ByteCharset::Ascii:
        return "ascii";
    case ByteCharset::Utf8:
        return "utf-8";
    case ByteCharset::Windows1252:
        return "windows-1252";
    case ByteCharset::Utf16:
        return "utf-16";
    }
    return "ascii";
}

bool charsetFits(std::string_view declared, ByteCharset actual) {
    declared = text::trimControls(declared);
    if (declared.empty())
        return true;
    switch (actual) {
    case ByteCharset::Ascii:
        // ASCII reads the same in every charset a page of this kind declares, except
        // the two-byte ones.
        return !among(declared, kUtf16Labels);
    case ByteCharset::Utf8:
        return among(declared, kUtf8Labels);
    case ByteCharset::Windows1252:
        return among(declared, kWindows1252Labels);
    case ByteCharset::Utf16:
        return among(declared, kUtf16Labels);
    }
    return false;
}

PageAudit auditPage(std::string_view bytes, std::string path) {
    PageAudit audit;
    audit.path = std::move(path);
    audit.size = bytes.size();
    const text::DecodedPage page = text::decodePage(bytes);
    audit.byteCharset = byteCharsetOf(bytes, page.encoding);

    // The tags are read from the whole text at once. UTF-8 bytes are that text already
    // (the reader takes CR LF as it takes LF); other bytes are decoded again.
    std::string decoded;
    std::string_view utf8 = bytes;
    switch (page.encoding) {
    case text::PageEncoding::Utf8:
        break;
    case text::PageEncoding::Utf8WithBom:
        utf8.remove_prefix(3);
        break;
    case text::PageEncoding::Windows1252:
        decoded = text::windows1252ToUtf8(bytes);
        utf8 = decoded;
        break;
    case text::PageEncoding::Utf16LE:
    case text::PageEncoding::Utf16BE:
        for (const auto& line : page.lines)
            decoded.append(line).push_back('\n');
        utf8 = decoded;
        break;
    }
    const HeadTags head = readHeadTags(utf8);
    audit.title = tagText(head.title);
    audit.description = tagText(head.description);
    audit.keywords = tagText(head.keywords);
    audit.declaredCharset = asciiLowered(head.charset);
    audit.charsetMismatch = !charsetFits(audit.declaredCharset, audit.byteCharset);
    audit.lang = head.lang ? std::string(text::trimControls(*head.lang)) : std::string();

    const tags::TagTestReport report = tags::testMetaTags(page.lines);
    audit.tagTestPassed = report.passed;
    if (!report.messages.empty())
        audit.tagTestMessage = report.messages.front().text;
    return audit;
}

} // namespace lumora::audit
