#pragma once
// What the reader's fuzz target does with one input, shared with the regression tests
// that replay its seeds and the crashes it found.

#include <string_view>

namespace setupkit::testing {

// Reads the bytes as a stored script and puts the result through what follows a read in
// the installer: walks along the directory tree, writing, reading back, copying and
// freeing elements. A stream error is the reader's expected answer to bad input; any
// other exception, or a broken round trip (std::logic_error), is a fault.
void exerciseScriptReader(std::string_view bytes);

} // namespace setupkit::testing
