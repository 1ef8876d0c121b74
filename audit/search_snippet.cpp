#include "audit/search_snippet.h"

#include "text/page_lines.h"

namespace lumora::audit {
namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '\v';
}

bool continuesSequence(char c) {
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

// Text as a result line shows it: one space between words, none at the ends.
std::string collapseBlanks(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    bool gap = false;
    for (char c : utf8) {
        if (isBlank(c)) {
            gap = !out.empty();
            continue;
        }
        if (gap)
            out += ' ';
        gap = false;
        out += c;
    }
    return out;
}

// Byte offset just past the first `count` characters of `utf8`.
size_t prefixBytes(std::string_view utf8, size_t count) {
    size_t at = 0;
    for (size_t seen = 0; at < utf8.size(); ++at) {
        if (!continuesSequence(utf8[at]) && seen++ == count)
            return at;
    }
    return at;
}

// A cut ending in punctuation that leads on ("Roses, ..." or "Roses - ...") reads as a
// broken sentence; the result drops it before the dots.
bool trailsOff(char c) {
    return c == ',' || c == ';' || c == ':' || c == '-' || c == '|' || c == '/' || c == '&';
}

} // namespace

SearchSnippet searchSnippet(std::string_view utf8, size_t room) {
    std::string text = collapseBlanks(utf8);
    if (text::charCount(text) <= room)
        return {std::move(text), false};

    const size_t limit = prefixBytes(text, room);
    size_t end = limit;
    // The whole words within the room: the next character must start a word gap.
    if (text[limit] != ' ') {
        const size_t space = text.rfind(' ', limit);
        if (space != std::string::npos)
            end = space;
    }
    while (end > 0 && (text[end - 1] == ' ' || trailsOff(text[end - 1])))
        --end;
    if (end == 0) // nothing but punctuation before the first gap: cut inside the word
        end = limit;
    text.resize(end);
    text += "...";
    return {std::move(text), true};
}

} // namespace lumora::audit
