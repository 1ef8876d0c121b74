#pragma once
// The one failure of the tagged value readers: a value of the wrong kind ("Invalid
// property value") or a stream that ends too early ("Stream read error").

#include <stdexcept>

namespace setupkit {

class EValueStreamError : public std::runtime_error {
public:
    enum class Kind { InvalidPropertyValue, StreamReadError };

    explicit EValueStreamError(Kind kind)
        : std::runtime_error(kind == Kind::InvalidPropertyValue ? "Invalid property value"
                                                                : "Stream read error"),
          kind_(kind) {}

    Kind kind() const { return kind_; }

private:
    Kind kind_;
};

} // namespace setupkit
