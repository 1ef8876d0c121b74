#pragma once
// Text taken from pages, made safe to put into an HTML report: escaped as element text
// or attribute value, and file paths made into link addresses.

#include <string>
#include <string_view>

namespace lumora::audit {

// The five markup characters as references; control characters shown as \xNN and
// bytes that are not UTF-8 as U+FFFD, so the report is valid UTF-8 whatever a page
// or a file name holds.
std::string htmlEscaped(std::string_view text);

// A relative path as a link address: every byte but letters, digits, "-._~" and the
// "/" between folders percent-encoded, so names with "#", "?", "%", quotes or
// blanks lead to the file itself.
std::string percentEncodedPath(std::string_view path);

} // namespace lumora::audit
