#pragma once
// The readable text of a form: one "object Name: TClass ... end" block per component,
// nested as the components are, one "Property = value" line per property. Strings are
// quoted ('It''s'), characters outside printable ASCII written as #nnn, identifiers
// bare, sets as [a, b], lists as ( ... ), binary data as {hex}, collections as
// < item ... end >. The install script ("SetupData") appears as its nested values.

#include "setup/form/form_component.h"

#include <string>

namespace setupkit::form {

// Fails with EFormError for a name or identifier the text cannot hold bare.
std::string formToText(const FormComponent& root);

// One value as it stands after "Property = ", continuation lines indented for `level`.
std::string formValueToText(const FormValue& value, int level = 0);

} // namespace setupkit::form
