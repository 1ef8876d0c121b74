#pragma once
// What one page says to a search engine: its title, description and keywords as they
// stand, their lengths, the tag test's verdict, the character set it declares against
// the one its bytes are in, and the language of its <html>. Reads only; toolkit-free.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace lumora::audit {

// A tag's text as the page holds it: entities decoded, runs of blanks and line breaks
// made one blank, blanks at the ends dropped. Empty when the tag is absent.
struct TagText {
    std::string text;
    bool present = false; // the tag is there, even when its text is empty
    size_t length = 0;    // characters of `text`, not bytes
};

// What the bytes are, as the page is read (text/page_codec's rules).
enum class ByteCharset {
    Ascii,       // only bytes below 0x80: fits UTF-8 and Windows-1252 alike
    Utf8,        // valid UTF-8 (with or without a byte order mark)
    Windows1252, // anything else a page can be read as
    Utf16,       // a UTF-16 byte order mark in either byte order
};

// "ascii", "utf-8", "windows-1252", "utf-16".
std::string_view byteCharsetName(ByteCharset charset);

struct PageAudit {
    std::string path;       // as shown to the user; set by whoever names the page
    std::uint64_t size = 0; // bytes of the file
    TagText title;          // <title>
    TagText description;    // <meta name="description" content="...">
    TagText keywords;       // <meta name="keywords" content="...">
    bool tagTestPassed = false;
    std::string tagTestMessage;  // the tag test's first message (lines broken by CR)
    std::string declaredCharset; // <meta charset> or the http-equiv content type's, lowered;
                                 // empty when the page declares none
    ByteCharset byteCharset = ByteCharset::Ascii;
    bool charsetMismatch = false; // a declared charset the bytes are not in
    std::string lang;             // the lang attribute of <html>; empty when absent
};

// `bytes` is the whole file. Never throws for any content.
PageAudit auditPage(std::string_view bytes, std::string path = {});

// Whether bytes in `actual` read correctly under the declared charset label (compared
// without regard to case). An empty declaration never mismatches.
bool charsetFits(std::string_view declared, ByteCharset actual);

} // namespace lumora::audit
