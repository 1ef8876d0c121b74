#pragma once
// The one failure of the form readers and writers: a stream or text that cannot be read,
// or a tree that cannot be written, with a message that says where and why.

#include <stdexcept>
#include <string>

namespace setupkit::form {

class EFormError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

} // namespace setupkit::form
