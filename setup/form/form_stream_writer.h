#pragma once
// Writes a FormComponent tree as a component stream ("TPF0", then the root component),
// every integer and string in its smallest form. Names and values that the stream cannot
// hold (empty or over-long names, a class name that would read as component flags,
// nesting deeper than the reader accepts) fail with an EFormError naming them.

#include "setup/form/form_component.h"

#include <string>

namespace setupkit {
class ValueWriter;
}

namespace setupkit::form {

std::string writeFormStream(const FormComponent& root);

// One value, tag and payload, as a property's `encoded` bytes hold it.
std::string encodeFormValue(const FormValue& value);
void writeFormValue(ValueWriter& out, const FormValue& value);

} // namespace setupkit::form
