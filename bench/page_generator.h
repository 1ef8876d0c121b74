#pragma once
// Realistic HTML pages for benchmarks: prose of a few thousand words with a
// skewed word frequency, inline tags, attributes and entities, CR LF lines.

#include <cstddef>
#include <string>

namespace lumora::bench {

// About `bytes` bytes of page; the same seed gives the same page.
std::string generatePage(size_t bytes, unsigned seed = 1);

} // namespace lumora::bench
