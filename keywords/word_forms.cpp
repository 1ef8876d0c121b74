#include "word_forms.h"

#include "keywords/keyword_order.h"
#include "text/utf8_char.h"

#include <libstemmer.h>

#include <algorithm>
#include <array>
#include <stdexcept>
#include <unordered_map>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif
#include <utility>

namespace lumora::keywords {

namespace {

// Punctuation, symbols, marks and private characters: blocks where a keyword has
// nothing to take.
bool outsideWords(uint32_t cp) {
    struct Range {
        uint32_t first, last;
    };
    static constexpr Range kRanges[] = {
        {0x80, 0xA9},        {0xAB, 0xB4},     {0xB6, 0xB9},     {0xBB, 0xBF},
        {0xD7, 0xD7},        {0xF7, 0xF7},     {0x02C2, 0x02C5}, {0x02D2, 0x02DF},
        {0x0300, 0x036F},    {0x037E, 0x037E}, {0x0387, 0x0387}, {0x055A, 0x055F},
        {0x0589, 0x058A},    {0x05BE, 0x05BE}, {0x05C0, 0x05C0}, {0x05C3, 0x05C3},
        {0x05F3, 0x05F4},    {0x0600, 0x060F}, {0x061B, 0x061F}, {0x066A, 0x066D},
        {0x06D4, 0x06D4},    {0x0964, 0x0965}, {0x0970, 0x0970}, {0x0E3F, 0x0E3F},
        {0x0E4F, 0x0E4F},    {0x0E5A, 0x0E5B}, {0x2000, 0x2BFF}, {0x2E00, 0x2E7F},
        {0x3000, 0x303F},    {0x30FB, 0x30FB}, {0xD800, 0xF8FF}, {0xFD3E, 0xFD3F},
        {0xFE00, 0xFE6F},    {0xFEFF, 0xFEFF}, {0xFF00, 0xFF0F}, {0xFF1A, 0xFF20},
        {0xFF3B, 0xFF40},    {0xFF5B, 0xFF65}, {0xFFE0, 0xFFFF}, {0x1F000, 0x1FAFF},
        {0xE0000, 0x10FFFF},
    };
    for (const Range& range : kRanges) {
        if (cp < range.first)
            return false;
        if (cp <= range.last)
            return true;
    }
    return false;
}

// Each ASCII character as it stays in a keyword line: itself when a keyword may hold
// it, a blank otherwise.
constexpr std::array<char, 128> kKeywordAscii = [] {
    std::array<char, 128> kept{};
    for (unsigned c = 0; c < 128; ++c) {
        const bool keep = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
                          (c >= '0' && c <= '9') || c == '-' || c == '\'';
        kept[c] = keep ? static_cast<char>(c) : ' ';
    }
    return kept;
}();

} // namespace

namespace {

// Turns the character at `i` into blanks when a keyword cannot hold it; returns
// where the next character starts.
size_t keepCharacter(char* p, size_t n, size_t i) {
    const unsigned char c = static_cast<unsigned char>(p[i]);
    if (c < 0x80) {
        p[i] = kKeywordAscii[c];
        return i + 1;
    }
    const text::Utf8Char read = text::decodeUtf8At(std::string_view(p, n), i);
    if (!read.valid) {
        p[i] = ' ';
        return i + 1;
    }
    const size_t length = read.length;
    const uint32_t cp = read.codePoint;
    if (outsideWords(cp))
        std::fill_n(p + i, length, ' ');
    return i + length;
}

} // namespace

void keepKeywordCharacters(std::string& line) {
    char* const p = line.data();
    const size_t n = line.size();
    size_t i = 0;
#if defined(__SSE2__)
    // Sixteen ASCII characters at a time, without a branch per character.
    const auto within = [](__m128i v, char low, char high) {
        return _mm_and_si128(_mm_cmpgt_epi8(v, _mm_set1_epi8(static_cast<char>(low - 1))),
                             _mm_cmplt_epi8(v, _mm_set1_epi8(static_cast<char>(high + 1))));
    };
    const __m128i blank = _mm_set1_epi8(' ');
    while (i + 16 <= n) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i));
        if (_mm_movemask_epi8(v) != 0) {
            i = keepCharacter(p, n, i);
            continue;
        }
        const __m128i keep =
            _mm_or_si128(_mm_or_si128(within(_mm_or_si128(v, _mm_set1_epi8(0x20)), 'a', 'z'),
                                      within(v, '0', '9')),
                         _mm_or_si128(_mm_cmpeq_epi8(v, _mm_set1_epi8('-')),
                                      _mm_cmpeq_epi8(v, _mm_set1_epi8('\''))));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(p + i),
                         _mm_or_si128(_mm_and_si128(keep, v), _mm_andnot_si128(keep, blank)));
        i += 16;
    }
#endif
    while (i < n)
        i = keepCharacter(p, n, i);
}

void blankWordsHoldingDigits(std::string& line) {
    // A word is a run of letters, digits, '-', '\'', '_' and characters past ASCII.
    const auto inWord = [](unsigned char c) {
        return c >= 0x80 || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
               (c >= '0' && c <= '9') || c == '-' || c == '\'' || c == '_';
    };
    const size_t n = line.size();
    for (size_t start = 0; start < n;) {
        if (!inWord(static_cast<unsigned char>(line[start]))) {
            ++start;
            continue;
        }
        size_t end = start;
        bool digit = false;
        for (; end < n && inWord(static_cast<unsigned char>(line[end])); ++end)
            digit = digit || (line[end] >= '0' && line[end] <= '9');
        if (digit)
            std::fill(line.begin() + static_cast<std::ptrdiff_t>(start),
                      line.begin() + static_cast<std::ptrdiff_t>(end), ' ');
        start = end;
    }
}

std::string keywordCharacters(std::string_view line) {
    std::string kept(line);
    keepKeywordCharacters(kept);
    return kept;
}

std::string_view stemmerName(std::string_view languageCode) {
    static constexpr std::pair<std::string_view, std::string_view> kNames[] = {
        {"de", "german"},  {"en", "english"}, {"es", "spanish"},    {"fr", "french"},
        {"it", "italian"}, {"nl", "dutch"},   {"pt", "portuguese"},
    };
    for (const auto& [code, name] : kNames)
        if (code == languageCode)
            return name;
    return "english";
}

Stemmer::Stemmer(std::string_view languageCode)
    : stemmer_(sb_stemmer_new(std::string(stemmerName(languageCode)).c_str(), "UTF_8")) {
    if (!stemmer_)
        throw std::runtime_error("no Snowball stemmer for " + std::string(languageCode));
}

Stemmer::~Stemmer() {
    sb_stemmer_delete(stemmer_);
}

std::string Stemmer::stem(std::string_view word) const {
    const sb_symbol* stemmed = sb_stemmer_stem(
        stemmer_, reinterpret_cast<const sb_symbol*>(word.data()), static_cast<int>(word.size()));
    if (!stemmed)
        return std::string(word);
    return {reinterpret_cast<const char*>(stemmed),
            static_cast<size_t>(sb_stemmer_length(stemmer_))};
}

std::vector<std::string> groupedKeywords(const WordCounts& counts, int sensitivity,
                                         const Stemmer& stemmer) {
    struct Group {
        uint64_t total = 0;
        uint32_t best = 0; // occurrences of the form shown
        std::string_view shown;
    };
    std::unordered_map<std::string, Group> groups;
    std::vector<const Group*> order;
    counts.forEachAccepted([&](std::string_view word, uint32_t occurrences) {
        auto [it, added] = groups.try_emplace(stemmer.stem(word));
        Group& group = it->second;
        if (added)
            order.push_back(&group);
        group.total += occurrences;
        if (occurrences > group.best) {
            group.best = occurrences;
            group.shown = word;
        }
    });
    const uint64_t threshold = static_cast<uint64_t>(sensitivity < 1 ? 1 : sensitivity);
    KeywordSet result;
    for (const Group* group : order)
        if (group->total >= threshold)
            result.add(group->shown);
    return result.sorted();
}

} // namespace lumora::keywords
