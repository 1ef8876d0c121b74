#pragma once
// Reads a component stream ("TPF0", then the root component with its properties and
// children) into a FormComponent tree. Every count in the stream is distrusted: lengths
// past the end, unknown tags and nesting deeper than kMaxFormNesting fail with an
// EFormError that names the offset and the component and property being read.

#include "setup/form/form_component.h"

#include <string_view>

namespace setupkit::form {

inline constexpr std::string_view kFormSignature = "TPF0";

// The whole bytes must be one signed stream holding one root component.
FormComponent readFormStream(std::string_view bytes);

// One value (tag and payload) that must fill `bytes` exactly, as a property's `encoded`
// bytes hold it.
FormValue readFormValue(std::string_view bytes);

} // namespace setupkit::form
