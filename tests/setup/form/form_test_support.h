#pragma once
// Small helpers shared by the form resource tests.

#include "setup/form/form_component.h"

#include <initializer_list>
#include <string>

namespace setupkit::form::testing {

std::string bytesOf(std::initializer_list<int> bytes);

FormValue integerValue(std::int64_t value);
FormValue stringValue(std::string text);
FormValue identifierValue(std::string text);
FormValue listValue(std::initializer_list<FormValue> items);
FormValue kindValue(FormValue::Kind kind);

// The example form kept with the tests.
std::string exampleFormText();

} // namespace setupkit::form::testing
