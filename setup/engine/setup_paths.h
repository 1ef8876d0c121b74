#pragma once
// The kit's path helpers for Windows-style directory names, which carry a trailing
// backslash: adding and stripping it, drive roots, splitting at a separator, and
// shortening a path to fit a label.

#include <functional>
#include <string>
#include <string_view>

namespace setupkit {

// Appends a backslash to a non-empty path that does not end in one.
std::string AddBackslash(std::string path);
// Removes one trailing backslash.
std::string StripBackslash(std::string path);
// Strips the trailing backslash, but keeps it on a bare drive ("C:\").
std::string FixDriveRoot(std::string path);
// The name after the last directory or drive separator of a path.
std::string ExtractFileName(const std::string& path);
// The part of `text` before the first `separator`; `text` keeps what follows it.
// Without a separator the whole text comes back and `text` is left as it was.
std::string SplitAt(std::string& text, std::string_view separator);

// Width of a text in pixels, as the label that will show it measures it.
using TextWidth = std::function<int(std::string_view)>;

// A path that fits `width` comes back unchanged. Otherwise directories after the
// first are replaced by "..." one at a time until the text fits or only the last
// component would be left; the result then ends in a backslash, which callers strip.
std::string ShortenPath(const std::string& path, int width, const TextWidth& textWidth);

} // namespace setupkit
