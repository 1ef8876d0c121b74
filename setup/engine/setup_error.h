#pragma once
// The installer kit's error classes: ESetupError for the kit's own faults (a message
// only), EInOutError for failed file work, both shown to the user as they are.

#include "setup/engine/in_out_error.h"

#include <stdexcept>
#include <string>

namespace setupkit {

class ESetupError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

} // namespace setupkit
