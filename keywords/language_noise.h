#pragma once
// The function words of a language, kept as data/noise/LANG.txt, which the
// visible-text reading filters together with html_filter.txt.

#include <string>
#include <string_view>
#include <vector>

namespace lumora::keywords {

// The language a visible-text reading uses: the user's choice when one is given,
// otherwise the page's own, otherwise English. A code is its letters in lower case;
// anything that is not 2 to 8 letters counts as no choice.
std::string readingLanguage(std::string_view pageLanguage, std::string_view chosen);

// The list's place relative to the data folder, e.g. "noise/de.txt".
std::string noiseListPath(std::string_view language);

// The words of a list file: one per line, trimmed; lines starting with `#` and blank
// lines are not words.
std::vector<std::string> noiseListWords(std::string_view fileText);

} // namespace lumora::keywords
