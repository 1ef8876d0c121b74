#pragma once
// The component tree of the shipped installer's form (TSetupForm with its background,
// controller, install script and pages), as the form resource holds it. Built here in
// code until the resource embedded in the program is read instead.

#include "setup/form/form_component.h"

namespace setupkit {

form::FormComponent shippedSetupForm();

} // namespace setupkit
