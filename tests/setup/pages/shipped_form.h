#pragma once
// The installer's own form, read from the text kept in the repository (the build
// compiles the same text into setup).

#include "setup/form/form_component.h"
#include "setup/form/form_text_parser.h"
#include "temp_dir.h"

#include <string>

namespace setupkit::testing {

inline std::string shippedFormText() {
    return lumora::testing::readFile(lumora::testing::sourceDir() /
                                     "data/installer/TSetupForm.txt");
}

inline form::FormComponent shippedSetupForm() {
    return form::parseFormText(shippedFormText());
}

} // namespace setupkit::testing
