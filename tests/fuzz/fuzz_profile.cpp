// Profile (ini) files: what is parsed and written back reads back the same, and a value
// written into a parsed document is the value read.

#include "fuzz_check.h"
#include "platform/profile_document.h"

#include <cstddef>
#include <cstdint>

using lumora::fuzz::require;
using lumora::platform::ProfileDocument;

namespace {

// Sections, keys and values as the reader sees them.
std::vector<std::string> contents(const ProfileDocument& document) {
    std::vector<std::string> out;
    for (const std::string& section : document.sections()) {
        out.push_back("[" + section);
        for (const std::string& key : document.keys(section)) {
            const auto value = document.value(section, key);
            require(value.has_value(), "a listed key has no value");
            out.push_back(key + "=" + *value);
        }
    }
    return out;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes = lumora::fuzz::asText(data, size);
    ProfileDocument document = ProfileDocument::parse(bytes);
    const std::string written = document.serialize();
    const ProfileDocument reread = ProfileDocument::parse(written);
    require(reread.serialize() == written,
            "writing a profile read back from its bytes changes them");
    require(contents(reread) == contents(document), "a written profile reads back other values");

    // Rewriting every value with itself changes no value.
    const auto before = contents(document);
    for (const std::string& section : document.sections())
        for (const std::string& key : document.keys(section))
            document.writeString(section, key, document.readString(section, key));
    require(contents(ProfileDocument::parse(document.serialize())) == before,
            "rewriting the values of a profile changes them");

    // A new value in a new section is found after a write and read.
    const std::string value(bytes.substr(0, 64));
    document.writeString("Fuzz Added", "Added", value);
    const auto added = ProfileDocument::parse(document.serialize()).value("Fuzz Added", "Added");
    require(added.has_value(), "a written key is missing after a read");
    require(*added == document.readString("Fuzz Added", "Added"),
            "a written key reads back another value than the document holds");
    return 0;
}
