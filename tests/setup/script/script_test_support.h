#pragma once
// Helpers of the script tests: the install script of the shipped installer built
// through the model, and stored values composed by hand.

#include "setup/script/setup_script.h"

#include <cstdint>
#include <memory>
#include <string>
#include <variant>
#include <vector>

namespace setupkit::testing {

// The build machine's source directory of every shipped file.
inline constexpr const char* kShippedSource = "C:\\LUMORA\\RELEASE\\";

std::unique_ptr<TSetupData> buildShippedScript();

std::string writtenBytes(const TSetupData& script);
// Reads the bytes into the script; throws what the reader throws.
void readBytes(TSetupData& script, const std::string& bytes);

std::string bytesOf(std::initializer_list<int> values);

// A stored value written out as a tree: List{5, "Lumora", List{...}, false}. A list
// holding just one list is written List{Value(List{...})}, as List{List{...}} would copy
// the inner list instead of nesting it.
struct Value;
using List = std::vector<Value>;
struct Value {
    Value(int integer) : value(static_cast<std::int32_t>(integer)) {}
    Value(const char* text) : value(std::string(text)) {}
    Value(std::string text) : value(std::move(text)) {}
    Value(bool flag) : value(flag) {}
    Value(List list) : value(std::move(list)) {}
    std::variant<std::int32_t, std::string, bool, List> value;
};
std::string encode(const Value& value);

// A version-5 script value from its fifteen parts, the outer list and the version added.
std::string currentScript(List files, List disks, List dirs, List groups = {},
                          List choiceItems = {}, List choiceData = {}, List winItems = {},
                          List winGroups = {}, List log = {"", "INSTALL.LOG"}, List unInstall = {});
template <class List> std::vector<std::string> namesOf(const List& list) {
    std::vector<std::string> names;
    for (const auto* element : list)
        names.push_back(element->Name());
    return names;
}

// A hand-made script in the layout of format versions 1 to 4: two disks, four files
// (one on no disk), three directories, one choice page and one program group; the
// script tests and the fuzz seeds use it.
std::string olderScript(int version);

// Where the fixture files live in the sources.
std::string fixturePath(const std::string& name);

} // namespace setupkit::testing
