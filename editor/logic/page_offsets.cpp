#include "page_offsets.h"

#include <algorithm>

namespace lumora::editor {

size_t pageTextLength(const Lines& lines) {
    if (lines.empty())
        return 0;
    size_t total = 2 * (lines.size() - 1);
    for (const auto& line : lines)
        total += text::charCount(line);
    return total;
}

std::string joinPageText(const Lines& lines) {
    size_t bytes = lines.empty() ? 0 : 2 * (lines.size() - 1);
    for (const auto& line : lines)
        bytes += line.size();
    std::string out;
    out.reserve(bytes);
    for (size_t i = 0; i < lines.size(); ++i) {
        if (i > 0)
            out += "\r\n";
        out += lines[i];
    }
    return out;
}

size_t byteIndexOfChar(std::string_view utf8, size_t charOffset) {
    size_t seen = 0;
    for (size_t i = 0; i < utf8.size(); ++i) {
        if ((static_cast<unsigned char>(utf8[i]) & 0xC0) == 0x80)
            continue;
        if (seen == charOffset)
            return i;
        ++seen;
    }
    return utf8.size();
}

PageOffsets::PageOffsets(const Lines& lines) {
    lineStarts_.reserve(lines.size());
    lineChars_.reserve(lines.size());
    size_t offset = 0;
    for (const auto& line : lines) {
        lineStarts_.push_back(offset);
        lineChars_.push_back(text::charCount(line));
        offset += lineChars_.back() + 2;
    }
    length_ = lines.empty() ? 0 : offset - 2;
}

LinePosition PageOffsets::toLinePosition(size_t offset) const {
    if (lineStarts_.empty())
        return {};
    const auto after = std::upper_bound(lineStarts_.begin(), lineStarts_.end(), offset);
    const size_t line = static_cast<size_t>(after - lineStarts_.begin()) - 1;
    return {line, std::min(offset - lineStarts_[line], lineChars_[line])};
}

size_t PageOffsets::toOffset(LinePosition position) const {
    if (position.line >= lineStarts_.size())
        return length_;
    return lineStarts_[position.line] + std::min(position.column, lineChars_[position.line]);
}

Lines splitKeepingLastLine(std::string_view text) {
    Lines pieces;
    size_t start = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\r' && text[i] != '\n')
            continue;
        pieces.emplace_back(text.substr(start, i - start));
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
            ++i;
        start = i + 1;
    }
    pieces.emplace_back(text.substr(start));
    return pieces;
}

void applyEdit(Lines& lines, const PageEdit& edit) {
    if (lines.empty())
        lines.emplace_back();
    const PageOffsets offsets(lines);
    const LinePosition from = offsets.toLinePosition(edit.start);
    const LinePosition to = offsets.toLinePosition(edit.start + edit.length);
    const std::string& first = lines[from.line];
    const std::string& last = lines[to.line];
    std::string joined = first.substr(0, byteIndexOfChar(first, from.column));
    joined += edit.text;
    joined += std::string_view(last).substr(byteIndexOfChar(last, to.column));
    Lines pieces = splitKeepingLastLine(joined);
    const auto begin = lines.begin() + static_cast<std::ptrdiff_t>(from.line);
    const auto end = lines.begin() + static_cast<std::ptrdiff_t>(to.line) + 1;
    const auto shared =
        std::min<std::ptrdiff_t>(end - begin, static_cast<std::ptrdiff_t>(pieces.size()));
    std::move(pieces.begin(), pieces.begin() + shared, begin);
    if (static_cast<std::ptrdiff_t>(pieces.size()) > shared)
        lines.insert(begin + shared, std::make_move_iterator(pieces.begin() + shared),
                     std::make_move_iterator(pieces.end()));
    else
        lines.erase(begin + shared, end);
}

} // namespace lumora::editor
