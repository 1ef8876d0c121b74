#pragma once
// The toolkit-free part of working on one page: reading it with the checks a batch
// needs (a regular, readable, non-binary file), writing a result where it belongs,
// and the compress command, which needs no window.

#include "batch/batch_options.h"
#include "batch/page_result.h"
#include "batch/worker_protocol.h"
#include "text/page_codec.h"

#include <stdexcept>
#include <string>
#include <string_view>

namespace lumora::batch {

// A page the batch will not work on; what() is the reason shown to the user.
class PageRefused : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The page's bytes. Throws PageRefused for a missing or unreadable file, something
// other than a regular file (a FIFO would block the run) and a binary file
// (text::looksBinary).
std::string readPageBytes(const std::string& path);

// Writes the page atomically in the encoding it was read in, creating the output's
// directories first. Returns the path written; throws PageRefused on failure.
std::string writePage(const PageRequest& request, const text::Lines& lines,
                      text::PageEncoding encoding);

// compress: drops empty lines and trailing blanks, as Compress HTML does. Written in
// place only when something changed; with -o always, so the output holds every page.
PageResult compressPageFile(const PageRequest& request, const Options& options);

} // namespace lumora::batch
