// The registry store: whatever the file holds, the keys and values read from it are the
// ones read again after a change has made the store write itself back.

#include "fuzz_check.h"
#include "fuzz_scratch.h"
#include "platform/registry.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>

using lumora::fuzz::require;
using lumora::platform::Registry;

namespace {

constexpr const char* kRoots[] = {"HKEY_LOCAL_MACHINE", "HKEY_CURRENT_USER", "HKEY_CLASSES_ROOT",
                                  "HKEY_USERS"};

void walk(const Registry& registry, const std::string& key, std::vector<std::string>& out) {
    require(registry.keyExists(key), "a listed key does not exist");
    out.push_back("[" + key);
    for (const std::string& name : registry.valueNames(key)) {
        const auto value = registry.readString(key, name);
        require(value.has_value(), "a listed value cannot be read");
        out.push_back(name + "=" + *value);
    }
    for (const std::string& subkey : registry.subkeys(key))
        walk(registry, key + "\\" + subkey, out);
}

std::vector<std::string> contents(const Registry& registry) {
    std::vector<std::string> out;
    for (const char* root : kRoots)
        walk(registry, root, out);
    return out;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const Registry registry(
        lumora::fuzz::scratchFile("registry", lumora::fuzz::asText(data, size)));
    const auto before = contents(registry);

    // A value written and deleted again makes the store rewrite the file twice.
    const std::string scratchKey = "HKEY_CURRENT_USER\\Lumora Fuzz Scratch Key";
    const bool existed = registry.keyExists(scratchKey);
    Registry writer(registry.storeFile());
    writer.writeString(scratchKey, "v", "1");
    require(writer.readString("HKCU\\lumora fuzz scratch key", "V") == "1",
            "a written value cannot be read back");
    if (existed)
        return 0;
    writer.deleteKey(scratchKey);
    require(contents(registry) == before, "a store written back reads other keys or values");
    return 0;
}
