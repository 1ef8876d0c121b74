#pragma once
// The install script as it reads best in the form text: each top-level part of the
// script on a line of its own with a comment naming it, each record of a part on one
// line, file dates followed by the date they stand for. Only layout and comments: the
// text reads back as the same nested values.

#include "setup/form/form_component.h"

#include <string>

namespace setupkit::form {

// Appends the value of "SetupData" laid out as a version-5-or-later script; false, and
// nothing appended, when the value does not have that shape.
bool appendSetupDataText(std::string& out, const FormValue& value, int level);

} // namespace setupkit::form
