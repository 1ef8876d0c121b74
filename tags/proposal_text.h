#pragma once
// The texts of the title and description finder: the candidate sentence around a line,
// its cleaning into a proposal, and the stand-in texts for proposals too short or too long.

#include "text/page_lines.h"

#include <string>
#include <string_view>

namespace lumora::tags {

enum class FinderKind { Title, Description };

// The candidate for line `index` of a page whose lines are already lower-cased: the line with
// the sentence ends of its neighbours, or the line alone. Empty when it touches a title tag,
// a comment or a meta tag, so that it can never match a keyword.
std::string candidateText(const text::Lines& loweredPage, size_t index);

// Whether `candidate` holds `keyword`; an empty keyword matches nothing.
bool holdsKeyword(std::string_view candidate, std::string_view keyword);

// Cleans a candidate into a proposal: image names, "times new roman", separators and HTML words
// go; each remaining word is kept after one space, so a non-empty proposal starts with a space.
std::string cleanCandidate(std::string_view candidate);

// The proposal as put to the user: the kind's short template below 3 characters, the long
// template above 250, otherwise unchanged. k0..k2 are the first keywords of the turned list.
std::string shapeProposal(FinderKind kind, std::string proposal, std::string_view k0,
                          std::string_view k1, std::string_view k2);

} // namespace lumora::tags
