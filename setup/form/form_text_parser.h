#pragma once
// Reads the readable text of a form (as form_text_writer.h describes it) back into a
// FormComponent tree. Besides what the writer produces it accepts '+' between string
// pieces, integers in hexadecimal ($FF), keywords in any letter case and "//" comments
// to the end of a line. Every property value gets its `encoded` stream bytes. Errors
// are EFormError with the line and column.

#include "setup/form/form_component.h"

#include <string_view>

namespace setupkit::form {

FormComponent parseFormText(std::string_view text);

} // namespace setupkit::form
