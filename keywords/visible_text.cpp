#include "visible_text.h"

#include "text/utf8_char.h"

#include "keywords/character_references.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <string_view>
#include <unordered_map>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace lumora::keywords {

namespace {

bool isSpace(unsigned char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f';
}
bool isAlpha(unsigned char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}
bool isDigit(unsigned char c) {
    return c >= '0' && c <= '9';
}
char lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c;
}

// What an element does to the text a visitor reads.
enum class Kind : unsigned char {
    Inline,
    Breaks,    // its start and end end the line
    Hidden,    // raw text that is not shown (script, style, ...)
    Title,     // Lumora's own title: read by no scan
    Textarea,  // shown text, not markup
    Plaintext, // the rest of the page is shown text
    Template,  // content for scripts, not shown
    Pre,       // line breaks kept
};

Kind kindOf(std::string_view name) {
    static const std::unordered_map<std::string_view, Kind> kinds = [] {
        std::unordered_map<std::string_view, Kind> map;
        for (const std::string_view breaker :
             {"address", "article",  "aside",      "blockquote", "body",   "br",   "caption",
              "center",  "dd",       "details",    "dialog",     "dir",    "div",  "dl",
              "dt",      "fieldset", "figcaption", "figure",     "footer", "form", "frameset",
              "h1",      "h2",       "h3",         "h4",         "h5",     "h6",   "head",
              "header",  "hgroup",   "hr",         "html",       "legend", "li",   "main",
              "menu",    "nav",      "ol",         "optgroup",   "option", "p",    "section",
              "summary", "table",    "tbody",      "td",         "tfoot",  "th",   "thead",
              "tr",      "ul"})
            map.emplace(breaker, Kind::Breaks);
        for (const std::string_view hidden :
             {"script", "style", "xmp", "iframe", "noembed", "noframes"})
            map.emplace(hidden, Kind::Hidden);
        map.emplace("title", Kind::Title);
        map.emplace("textarea", Kind::Textarea);
        map.emplace("plaintext", Kind::Plaintext);
        map.emplace("template", Kind::Template);
        map.emplace("pre", Kind::Pre);
        map.emplace("listing", Kind::Pre);
        return map;
    }();
    if (name.size() > 10)
        return Kind::Inline;
    const auto found = kinds.find(name);
    return found == kinds.end() ? Kind::Inline : found->second;
}

// A numeric reference to 0x80..0x9F means the Windows-1252 character, as browsers read it.
constexpr std::array<uint16_t, 32> kC1 = {
    0x20AC, 0x81,   0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x8D,   0x017D, 0x8F,   0x90,   0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x9D,   0x017E, 0x0178};

// The bytes that end a run of plain text.
constexpr std::array<bool, 256> kStops = [] {
    std::array<bool, 256> stops{};
    for (const unsigned char c : {'<', '&', '\t', '\n', '\r', '\f'})
        stops[c] = true;
    stops[0xC2] = true;
    return stops;
}();

// White space, and the first byte of a no-break space.
constexpr std::array<bool, 256> kWhite = [] {
    std::array<bool, 256> white{};
    white[' '] = white['\t'] = white['\n'] = white['\r'] = white['\f'] = white[0xC2] = true;
    return white;
}();

class Reader {
public:
    explicit Reader(std::string_view page) : s_(page) {}

    VisibleText run() {
        readText(s_.size(), true);
        endLine();
        return std::move(out_);
    }

private:
    // Text up to `end`; with `markup` a `<` may open a tag or comment. White space
    // becomes one blank between words: a run of text keeps its single blanks, any
    // other white space waits as a blank owed to the next text of the line.
    void readText(size_t end, bool markup) {
        while (i_ < end) {
            const unsigned char c = static_cast<unsigned char>(s_[i_]);
            if (c == '<' && markup) {
                markupAt();
            } else if (c == '&') {
                reference();
            } else if (c == '\n' && pre_ > 0) {
                endLine();
                ++i_;
            } else if (kWhite[c] && (c != 0xC2 || (i_ + 1 < end && static_cast<unsigned char>(
                                                                       s_[i_ + 1]) == 0xA0))) {
                pendingSpace_ = true; // a no-break space too is a space to a reader
                i_ += c == 0xC2 ? 2 : 1;
            } else {
                const size_t stop = runEnd(i_ + 1, end);
                emit(s_.substr(i_, stop - i_));
                i_ = stop;
            }
        }
    }

    // Where a run of text that starts before `from` ends: at a character that is
    // neither text nor a single blank between two characters of text.
    size_t runEnd(size_t from, size_t end) const {
        size_t k = from;
#if defined(__SSE2__)
        // Sixteen characters at a time: most of a page's text is plain words.
        const __m128i lt = _mm_set1_epi8('<');
        const __m128i amp = _mm_set1_epi8('&');
        const __m128i tab = _mm_set1_epi8('\t');
        const __m128i lf = _mm_set1_epi8('\n');
        const __m128i cr = _mm_set1_epi8('\r');
        const __m128i ff = _mm_set1_epi8('\f');
        const __m128i lead = _mm_set1_epi8('\xC2');
        const auto stopsIn = [&](__m128i v) {
            return _mm_or_si128(
                _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(v, lt), _mm_cmpeq_epi8(v, amp)),
                             _mm_or_si128(_mm_cmpeq_epi8(v, tab), _mm_cmpeq_epi8(v, lf))),
                _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(v, cr), _mm_cmpeq_epi8(v, ff)),
                             _mm_cmpeq_epi8(v, lead)));
        };
        const __m128i blank = _mm_set1_epi8(' ');
        while (k + 17 <= end) {
            const __m128i here = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s_.data() + k));
            const __m128i next =
                _mm_loadu_si128(reinterpret_cast<const __m128i*>(s_.data() + k + 1));
            const __m128i nextEnds = _mm_or_si128(stopsIn(next), _mm_cmpeq_epi8(next, blank));
            const __m128i ends =
                _mm_or_si128(stopsIn(here), _mm_and_si128(_mm_cmpeq_epi8(here, blank), nextEnds));
            const unsigned mask = static_cast<unsigned>(_mm_movemask_epi8(ends));
            if (mask != 0)
                return k + static_cast<size_t>(__builtin_ctz(mask));
            k += 16;
        }
#endif
        for (; k < end; ++k) {
            const unsigned char d = static_cast<unsigned char>(s_[k]);
            if (kStops[d])
                break;
            if (d == ' ' &&
                (k + 1 >= end || kStops[static_cast<unsigned char>(s_[k + 1])] || s_[k + 1] == ' '))
                break;
        }
        return k;
    }

    void emit(std::string_view text) {
        if (hidden_ > 0)
            return;
        if (pendingSpace_ && !line_.empty())
            line_ += ' ';
        pendingSpace_ = false;
        line_ += text;
    }

    // Decoded text may hold white space and no-break spaces of its own.
    void emitDecoded(std::string_view text) {
        size_t from = 0;
        for (size_t k = 0; k < text.size(); ++k) {
            const unsigned char c = static_cast<unsigned char>(text[k]);
            const bool nbsp =
                c == 0xC2 && k + 1 < text.size() && static_cast<unsigned char>(text[k + 1]) == 0xA0;
            if ((kWhite[c] && c != 0xC2) || nbsp) {
                if (k > from)
                    emit(text.substr(from, k - from));
                pendingSpace_ = true;
                if (nbsp)
                    ++k;
                from = k + 1;
            }
        }
        if (from < text.size())
            emit(text.substr(from));
    }

    void endLine() {
        if (!line_.empty()) {
            out_.lines.push_back(std::move(line_));
            // Most lines fit: one allocation each rather than one per doubling.
            line_ = std::string();
            line_.reserve(64);
        }
        pendingSpace_ = false;
    }

    void reference() {
        const size_t start = i_ + 1;
        if (start < s_.size() && s_[start] == '#') {
            size_t k = start + 1;
            const bool hex = k < s_.size() && (s_[k] == 'x' || s_[k] == 'X');
            if (hex)
                ++k;
            const size_t digits = k;
            uint32_t value = 0;
            for (; k < s_.size(); ++k) {
                const unsigned char c = static_cast<unsigned char>(s_[k]);
                uint32_t digit;
                if (isDigit(c))
                    digit = c - '0';
                else if (hex && c >= 'a' && c <= 'f')
                    digit = c - 'a' + 10;
                else if (hex && c >= 'A' && c <= 'F')
                    digit = c - 'A' + 10;
                else
                    break;
                value = std::min<uint32_t>(value * (hex ? 16 : 10) + digit, 0x110000);
            }
            if (k == digits) {
                emit("&");
                ++i_;
                return;
            }
            if (k < s_.size() && s_[k] == ';')
                ++k;
            if (value >= 0x80 && value <= 0x9F)
                value = kC1[value - 0x80];
            if (value == 0 || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF))
                value = 0xFFFD;
            std::string decoded;
            text::appendUtf8(decoded, value);
            emitDecoded(decoded);
            i_ = k;
            return;
        }
        size_t k = start;
        while (k < s_.size() && k - start < 32 &&
               (isAlpha(static_cast<unsigned char>(s_[k])) ||
                isDigit(static_cast<unsigned char>(s_[k]))))
            ++k;
        if (k < s_.size() && s_[k] == ';')
            ++k;
        // The longest name that the text starts with; only legacy names go without `;`.
        for (size_t length = k - start; length > 0; --length) {
            if (const auto text = namedReference(s_.substr(start, length))) {
                emitDecoded(*text);
                i_ = start + length;
                return;
            }
        }
        emit("&");
        ++i_;
    }

    void skipPast(std::string_view terminator) {
        const size_t at = s_.find(terminator, i_);
        i_ = at == std::string_view::npos ? s_.size() : at + terminator.size();
    }

    void markupAt() {
        const size_t next = i_ + 1;
        const unsigned char c = next < s_.size() ? static_cast<unsigned char>(s_[next]) : 0;
        if (c == '!') {
            if (s_.substr(next + 1, 2) == "--") {
                i_ = next + 1; // so that <!--> and <!---> end at once
                skipPast("-->");
            } else {
                skipPast(">");
            }
        } else if (c == '?') {
            skipPast(">");
        } else if (c == '/') {
            const unsigned char d =
                next + 1 < s_.size() ? static_cast<unsigned char>(s_[next + 1]) : 0;
            if (isAlpha(d)) {
                i_ = next + 1;
                readName();
                attributes(false);
                endTag();
            } else if (d == '>') {
                i_ = next + 2;
            } else {
                skipPast(">");
            }
        } else if (isAlpha(c)) {
            i_ = next;
            readName();
            attributes(name_ == "html" && !seenHtml_);
            startTag();
        } else {
            emit("<");
            ++i_;
        }
    }

    // The tag name in lower case; a name longer than any the reader knows is kept
    // cut short, which still matches none of them.
    void readName() {
        size_t length = 0;
        while (i_ < s_.size()) {
            const unsigned char c = static_cast<unsigned char>(s_[i_]);
            if (isSpace(c) || c == '/' || c == '>')
                break;
            if (length < nameBuffer_.size())
                nameBuffer_[length] = lower(static_cast<char>(c));
            ++length;
            ++i_;
        }
        name_ = std::string_view(nameBuffer_.data(), std::min(length, nameBuffer_.size()));
    }

    // Steps over a tag's attributes and its closing `>`; keeps the language when asked.
    void attributes(bool keepLanguage) {
        while (i_ < s_.size()) {
            const unsigned char c = static_cast<unsigned char>(s_[i_]);
            if (c == '>') {
                ++i_;
                return;
            }
            if (isSpace(c) || c == '/') {
                ++i_;
                continue;
            }
            const size_t nameStart = i_++;
            while (i_ < s_.size()) {
                const unsigned char d = static_cast<unsigned char>(s_[i_]);
                if (isSpace(d) || d == '/' || d == '>' || d == '=')
                    break;
                ++i_;
            }
            const std::string_view attribute = s_.substr(nameStart, i_ - nameStart);
            while (i_ < s_.size() && isSpace(static_cast<unsigned char>(s_[i_])))
                ++i_;
            if (i_ >= s_.size() || s_[i_] != '=')
                continue;
            ++i_;
            while (i_ < s_.size() && isSpace(static_cast<unsigned char>(s_[i_])))
                ++i_;
            size_t from = i_;
            size_t to;
            if (i_ < s_.size() && (s_[i_] == '"' || s_[i_] == '\'')) {
                from = i_ + 1;
                to = s_.find(s_[i_], from);
                if (to == std::string_view::npos)
                    to = s_.size();
                i_ = std::min(to + 1, s_.size());
            } else {
                while (i_ < s_.size() && !isSpace(static_cast<unsigned char>(s_[i_])) &&
                       s_[i_] != '>')
                    ++i_;
                to = i_;
            }
            if (keepLanguage && attribute.size() == 4 && lower(attribute[0]) == 'l' &&
                lower(attribute[1]) == 'a' && lower(attribute[2]) == 'n' &&
                lower(attribute[3]) == 'g')
                language(s_.substr(from, to - from));
        }
    }

    void language(std::string_view value) {
        std::string primary;
        for (const char c : value) {
            if (c == '-' || c == '_')
                break;
            primary += lower(c);
        }
        out_.language = primary;
    }

    // Everything up to the element's end tag, which is left to be read as a tag.
    size_t rawTextEnd() const {
        for (size_t at = s_.find("</", i_); at != std::string_view::npos;
             at = s_.find("</", at + 2)) {
            const size_t after = at + 2 + name_.size();
            if (after > s_.size())
                break;
            bool same = true;
            for (size_t k = 0; k < name_.size() && same; ++k)
                same = lower(s_[at + 2 + k]) == name_[k];
            if (same && (after == s_.size() || isSpace(static_cast<unsigned char>(s_[after])) ||
                         s_[after] == '/' || s_[after] == '>'))
                return at;
        }
        return s_.size();
    }

    void startTag() {
        if (name_ == "html")
            seenHtml_ = true;
        switch (kindOf(name_)) {
        case Kind::Breaks:
            endLine();
            break;
        case Kind::Hidden:
        case Kind::Title:
            i_ = rawTextEnd();
            break;
        case Kind::Textarea:
            readText(rawTextEnd(), false);
            break;
        case Kind::Plaintext:
            endLine();
            readText(s_.size(), false);
            break;
        case Kind::Template:
            endLine();
            ++hidden_;
            break;
        case Kind::Pre:
            endLine();
            ++pre_;
            break;
        case Kind::Inline:
            break;
        }
    }

    void endTag() {
        const Kind kind = kindOf(name_);
        if (kind != Kind::Inline && kind != Kind::Hidden && kind != Kind::Textarea)
            endLine();
        if (kind == Kind::Template && hidden_ > 0)
            --hidden_;
        else if (kind == Kind::Pre && pre_ > 0)
            --pre_;
    }

    std::string_view s_;
    size_t i_ = 0;
    VisibleText out_;
    std::string line_;
    std::array<char, 16> nameBuffer_{};
    std::string_view name_;
    bool seenHtml_ = false;
    bool pendingSpace_ = false;
    int hidden_ = 0; // inside how many templates
    int pre_ = 0;    // inside how many preformatted blocks
};

} // namespace

VisibleText readVisibleText(const std::vector<std::string>& pageLines) {
    size_t size = 0;
    for (const auto& line : pageLines)
        size += line.size() + 1;
    std::string page;
    page.reserve(size);
    for (const auto& line : pageLines) {
        page += line;
        page += '\n';
    }
    return Reader(page).run();
}

} // namespace lumora::keywords
