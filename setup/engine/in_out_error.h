#pragma once
// The installer's input/output error: a file operation that failed, carrying the
// message the user is shown ("Error during file copy.", "Compression error.") and,
// apart, the cause when one is known ("Permission denied", "it holds 10 bytes, not 20").

#include <stdexcept>
#include <string>

namespace setupkit {

class EInOutError : public std::runtime_error {
public:
    explicit EInOutError(const std::string& message, std::string cause = {})
        : std::runtime_error(message), cause_(std::move(cause)) {}
    const std::string& cause() const { return cause_; }

private:
    std::string cause_;
};

} // namespace setupkit
