#pragma once
// The install script inside a form: the controller's "SetupData" property, and the
// build step that brings its file records up to date with the real files (size and
// date), going through the script model so the records keep their stored layout.

#include "setup/form/form_component.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace setupkit::form {

inline constexpr std::string_view kSetupDataProperty = "SetupData";

// The first "SetupData" property of the tree, depth first; nullptr when there is none.
FormProperty* findSetupDataProperty(FormComponent& root);
const FormProperty* findSetupDataProperty(const FormComponent& root);

struct ScriptFileFacts {
    std::uint64_t size = 0;
    // Days since 30 December 1899, the fraction being the time of day (local time).
    double dateTime = 0;
    // The size of the file as shipped, when the build stored it compressed.
    std::optional<std::uint64_t> compressedSize;
};

// What a file of the script is found as, by its Name; nullopt when it is not found.
using ScriptFileLookup = std::function<std::optional<ScriptFileFacts>(std::string_view name)>;

// Reads the script from `setupData`, gives every file record that `lookUp` finds its
// size and date (and its CompressedSize: the size itself when the file is not compressed,
// else the shipped size when the lookup knows it), and stores
// the script back (format version 5), `encoded` included. Returns the names not found,
// in script order. EFormError when the value is no readable script or a file is too
// large for the script's 32-bit sizes.
std::vector<std::string> updateScriptFiles(FormProperty& setupData, const ScriptFileLookup& lookUp);

} // namespace setupkit::form
