#pragma once
// Reading and writing page files with the page encoding rules; writes are atomic.

#include "platform/atomic_file.h"
#include "text/page_codec.h"

#include <string>

namespace lumora::editor {

// A file that reads but is binary (text::looksBinary): no page to edit. what() is the
// path and text::kBinaryFileReason.
class NotAPageError : public platform::FileError {
public:
    explicit NotAPageError(const std::string& path)
        : FileError(path, std::string(text::kBinaryFileReason)) {}
};

// Throws platform::FileError when the file cannot be read (platform::NotRegularFile
// for a pipe, a device or a folder), NotAPageError when it is binary.
text::DecodedPage loadPageFile(const std::string& path);

// What the window says of a file it will not read because it is not a regular file.
std::string notRegularFileText(const std::string& path);

// Writes each line followed by CR LF in `encoding`; returns the encoding used.
// Throws platform::FileError and leaves the old file as it was on failure.
text::PageEncoding savePageFile(const std::string& path, const text::Lines& lines,
                                text::PageEncoding encoding,
                                platform::NewFileSync newFile = platform::NewFileSync::Each);

} // namespace lumora::editor
