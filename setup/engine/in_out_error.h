#pragma once
// The installer's input/output error: a file operation that failed, carrying the
// message the user is shown ("Error during file copy.", "Compression error.").

#include <stdexcept>
#include <string>

namespace setupkit {

class EInOutError : public std::runtime_error {
public:
    explicit EInOutError(const std::string& message) : std::runtime_error(message) {}
};

} // namespace setupkit
