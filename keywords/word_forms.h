#pragma once
// Word forms for the visible-text reading: a line's characters that cannot belong to
// a keyword become blanks, and the forms of a word (rose, roses) are counted as one
// keyword through the Snowball stemmer of the page's language.

#include "keywords/word_counts.h"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

struct sb_stemmer;

namespace lumora::keywords {

// Turns every character of `line` that is not a letter, a digit, `-` or `'` into
// blanks, one for each of its bytes, so that the line keeps its length.
void keepKeywordCharacters(std::string& line);
std::string keywordCharacters(std::string_view line);

// Turns every word that holds a digit ("amd64", "V8", "sha256", "2024") into blanks,
// keeping the line's length: the word scan would cut such a word to a fragment that
// no visitor reads, and the finder would propose that fragment.
void blankWordsHoldingDigits(std::string& line);

// The stemmer's name for a language code (en, de, fr, es, it, nl, pt); English for
// any other code.
std::string_view stemmerName(std::string_view languageCode);

class Stemmer {
public:
    explicit Stemmer(std::string_view languageCode);
    ~Stemmer();
    Stemmer(const Stemmer&) = delete;
    Stemmer& operator=(const Stemmer&) = delete;

    std::string stem(std::string_view word) const;

private:
    sb_stemmer* stemmer_ = nullptr;
};

// The keywords for sensitivity S with the words of one stem counted together: a stem
// whose words occur at least max(S, 1) times in all is shown as its word met most
// often (the first met of equals); sorted as WordCounts::keywords sorts.
std::vector<std::string> groupedKeywords(const WordCounts& counts, int sensitivity,
                                         const Stemmer& stemmer);

} // namespace lumora::keywords
