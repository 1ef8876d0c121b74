#pragma once
// "Compress HTML": the page without empty lines and without trailing blanks (spaces and
// control characters at line ends); the text of the other lines and their order stay.

#include "text/page_lines.h"

namespace lumora::tags {

// Compresses the page in place in one pass; returns whether anything changed, so that
// an unchanged page needs no edit.
bool compressPage(text::Lines& page);

} // namespace lumora::tags
