#include "head_reader.h"

#include "common/ascii_case.h"
#include "text/ascii_case.h"
#include "text/utf8_char.h"

#include <charconv>
#include <vector>

namespace lumora::audit {

namespace {

constexpr size_t npos = std::string_view::npos;

bool isSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f';
}

bool isNameChar(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' ||
           c == '_' || c == ':';
}

struct Attribute {
    std::string_view name; // as written
    std::string_view value;
};

// One start tag: its name, its attributes and where it ends (after '>'). The
// attribute list is reused from tag to tag, so reading a page allocates little.
struct StartTag {
    std::string_view name; // as written
    std::vector<Attribute> attributes;
    size_t end = npos;

    bool is(std::string_view lowerName) const { return equalsIgnoringCase(name, lowerName); }
    std::optional<std::string_view> attribute(std::string_view wanted) const {
        for (const auto& a : attributes)
            if (equalsIgnoringCase(a.name, wanted))
                return a.value;
        return std::nullopt;
    }
};

// `at` points just after '<' and at a name character.
void readStartTag(std::string_view text, size_t at, StartTag& tag) {
    tag.attributes.clear();
    size_t i = at;
    while (i < text.size() && isNameChar(text[i]))
        ++i;
    tag.name = text.substr(at, i - at);
    while (i < text.size()) {
        while (i < text.size() && (isSpace(text[i]) || text[i] == '/'))
            ++i;
        if (i >= text.size())
            break;
        if (text[i] == '>') {
            tag.end = i + 1;
            return;
        }
        const size_t nameStart = i;
        while (i < text.size() && !isSpace(text[i]) && text[i] != '=' && text[i] != '>' &&
               !(text[i] == '/' && i > nameStart))
            ++i;
        Attribute attribute{text.substr(nameStart, i - nameStart), {}};
        size_t j = i;
        while (j < text.size() && isSpace(text[j]))
            ++j;
        if (j < text.size() && text[j] == '=') {
            i = j + 1;
            while (i < text.size() && isSpace(text[i]))
                ++i;
            if (i < text.size() && (text[i] == '"' || text[i] == '\'')) {
                const char quote = text[i];
                const size_t close = text.find(quote, i + 1);
                const size_t stop = close == npos ? text.size() : close;
                attribute.value = text.substr(i + 1, stop - i - 1);
                i = close == npos ? text.size() : close + 1;
            } else {
                const size_t begin = i;
                while (i < text.size() && !isSpace(text[i]) && text[i] != '>')
                    ++i;
                attribute.value = text.substr(begin, i - begin);
            }
        }
        if (attribute.name.empty() && i < text.size() && text[i] != '>')
            ++i; // a stray character such as '=' or a quote: step over it
        else if (!attribute.name.empty())
            tag.attributes.push_back(attribute);
    }
    tag.end = text.size();
}

// The charset parameter of a content type such as "text/html; charset=utf-8".
std::string_view charsetParameter(std::string_view contentType) {
    const size_t at = text::findFolded(contentType, "charset");
    if (at == npos)
        return {};
    size_t i = at + 7;
    while (i < contentType.size() && isSpace(contentType[i]))
        ++i;
    if (i >= contentType.size() || contentType[i] != '=')
        return {};
    ++i;
    while (i < contentType.size() &&
           (isSpace(contentType[i]) || contentType[i] == '"' || contentType[i] == '\''))
        ++i;
    const size_t begin = i;
    while (i < contentType.size() && !isSpace(contentType[i]) && contentType[i] != ';' &&
           contentType[i] != '"' && contentType[i] != '\'')
        ++i;
    return contentType.substr(begin, i - begin);
}

void appendUtf8(std::string& out, unsigned long codePoint) {
    if (codePoint == 0 || codePoint > 0x10FFFF || (codePoint >= 0xD800 && codePoint <= 0xDFFF))
        codePoint = 0xFFFD;
    text::appendUtf8(out, static_cast<char32_t>(codePoint));
}

// Decodes the entity at `text[i]` == '&' into `out`; returns its length, or 0 when it
// is not one this reader knows.
size_t decodeEntity(std::string_view text, size_t i, std::string& out) {
    struct Named {
        std::string_view name;
        unsigned long codePoint;
    };
    // The markup five and the named ones titles and descriptions commonly use; any
    // other stays as written (and counts as written).
    static constexpr Named kNamed[] = {
        {"amp;", '&'},      {"lt;", '<'},       {"gt;", '>'},       {"quot;", '"'},
        {"apos;", '\''},    {"nbsp;", 0xA0},    {"copy;", 0xA9},    {"reg;", 0xAE},
        {"trade;", 0x2122}, {"mdash;", 0x2014}, {"ndash;", 0x2013}, {"hellip;", 0x2026},
        {"lsquo;", 0x2018}, {"rsquo;", 0x2019}, {"ldquo;", 0x201C}, {"rdquo;", 0x201D},
        {"laquo;", 0xAB},   {"raquo;", 0xBB},   {"middot;", 0xB7},  {"bull;", 0x2022},
        {"euro;", 0x20AC},  {"pound;", 0xA3},   {"deg;", 0xB0},     {"times;", 0xD7},
        {"auml;", 0xE4},    {"ouml;", 0xF6},    {"uuml;", 0xFC},    {"Auml;", 0xC4},
        {"Ouml;", 0xD6},    {"Uuml;", 0xDC},    {"szlig;", 0xDF},   {"eacute;", 0xE9},
        {"egrave;", 0xE8},  {"aacute;", 0xE1},  {"agrave;", 0xE0},  {"ccedil;", 0xE7},
        {"ntilde;", 0xF1},  {"oacute;", 0xF3},  {"iacute;", 0xED},  {"uacute;", 0xFA},
    };
    const std::string_view rest = text.substr(i + 1);
    for (const auto& named : kNamed)
        if (rest.starts_with(named.name)) {
            appendUtf8(out, named.codePoint);
            return 1 + named.name.size();
        }
    if (!rest.starts_with('#'))
        return 0;
    const bool hex = rest.size() > 1 && (rest[1] == 'x' || rest[1] == 'X');
    const size_t digits = hex ? 2 : 1;
    const size_t semicolon = rest.find(';', digits);
    if (semicolon == npos || semicolon == digits || semicolon > digits + 8)
        return 0;
    unsigned long codePoint = 0;
    const char* first = rest.data() + digits;
    const char* last = rest.data() + semicolon;
    const auto [stop, error] = std::from_chars(first, last, codePoint, hex ? 16 : 10);
    if (error != std::errc() || stop != last)
        return 0;
    appendUtf8(out, codePoint);
    return 1 + semicolon + 1;
}

} // namespace

std::string cleanTagText(std::string_view raw) {
    std::string out;
    out.reserve(raw.size());
    std::string piece;
    bool blank = false;
    for (size_t i = 0; i < raw.size();) {
        piece.clear();
        const size_t used = raw[i] == '&' ? decodeEntity(raw, i, piece) : 0;
        if (used == 0)
            piece = raw[i];
        i += used == 0 ? 1 : used;
        // A blank written as an entity (&#32;, &#10;) is a blank like any other.
        if (piece.size() == 1 && isSpace(piece[0])) {
            blank = true;
            continue;
        }
        if (blank && !out.empty())
            out += ' ';
        blank = false;
        out += piece;
    }
    return out;
}

HeadTags readHeadTags(std::string_view text) {
    HeadTags tags;
    bool htmlSeen = false;
    StartTag tag;
    size_t i = 0;
    while ((i = text.find('<', i)) != npos) {
        const std::string_view rest = text.substr(i);
        if (rest.starts_with("<!--")) {
            const size_t close = text.find("-->", i + 4);
            i = close == npos ? text.size() : close + 3;
            continue;
        }
        if (rest.starts_with("<!") || rest.starts_with("<?") || rest.starts_with("</")) {
            const size_t close = text.find('>', i + 2);
            i = close == npos ? text.size() : close + 1;
            continue;
        }
        if (rest.size() < 2 || !isNameChar(rest[1])) {
            ++i;
            continue;
        }
        readStartTag(text, i + 1, tag);
        i = tag.end;
        const bool title = tag.is("title");
        if (title || tag.is("script") || tag.is("style")) {
            // Their content is text up to the closing tag, whatever it holds.
            const std::string_view closing = title              ? "</title"
                                             : tag.is("script") ? "</script"
                                                                : "</style";
            const size_t close = text::findFolded(text, closing, i);
            const size_t stop = close == npos ? text.size() : close;
            if (title && !tags.title)
                tags.title = std::string(text.substr(i, stop - i));
            i = stop;
        } else if (tag.is("html")) {
            if (!htmlSeen)
                if (const auto lang = tag.attribute("lang"))
                    tags.lang = std::string(*lang);
            htmlSeen = true;
        } else if (tag.is("meta")) {
            const auto name = tag.attribute("name");
            const auto content = tag.attribute("content");
            if (name && content) {
                if (equalsIgnoringCase(text::trimControls(*name), "description") &&
                    !tags.description)
                    tags.description = std::string(*content);
                else if (equalsIgnoringCase(text::trimControls(*name), "keywords") &&
                         !tags.keywords)
                    tags.keywords = std::string(*content);
            }
            if (tags.charset.empty()) {
                if (const auto charset = tag.attribute("charset"))
                    tags.charset = std::string(text::trimControls(*charset));
                else if (const auto equiv = tag.attribute("http-equiv");
                         equiv && content &&
                         equalsIgnoringCase(text::trimControls(*equiv), "content-type"))
                    tags.charset = std::string(charsetParameter(*content));
            }
        }
    }
    return tags;
}

} // namespace lumora::audit
