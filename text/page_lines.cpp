#include "page_lines.h"

#include <cstring>

namespace lumora::text {

Lines splitLines(std::string_view text) {
    Lines lines;
    size_t start = 0;
    const size_t n = text.size();
    while (start < n) {
        size_t end = start;
        while (end < n && text[end] != '\n' && text[end] != '\r')
            ++end;
        lines.emplace_back(text.substr(start, end - start));
        if (end < n && text[end] == '\r' && end + 1 < n && text[end + 1] == '\n')
            start = end + 2;
        else
            start = end + 1;
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
    size_t count = 0;
    for (char c : utf8)
        count += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    return count;
}

size_t pageLength(const Lines& lines) {
    size_t total = 0;
    for (const auto& line : lines)
        total += charCount(line) + 2;
    return total;
}

} // namespace lumora::text
