#pragma once
// The little the editor needs of a settings (ini) file: read and write values of keys
// in a section. The program hands in the real profile-file service; tests hand in
// a MemoryProfile. Sections and keys are compared without regard to case.

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace lumora::editor {

class ProfileAccess {
public:
    using KeyValues = std::vector<std::pair<std::string, std::string>>;

    virtual ~ProfileAccess() = default;
    // The stored value, or empty when the key, the section or the file is missing.
    virtual std::string readValue(std::string_view section, std::string_view key) = 0;
    // Stores the value, creating the section and the file when needed.
    virtual void writeValue(std::string_view section, std::string_view key,
                            std::string_view value) = 0;

    // The values of several keys, in their order, from one reading of the store.
    virtual std::vector<std::string> readValues(std::string_view section,
                                                const std::vector<std::string>& keys) {
        std::vector<std::string> values;
        values.reserve(keys.size());
        for (const auto& key : keys)
            values.push_back(readValue(section, key));
        return values;
    }
    // Several values stored in one writing of the store.
    virtual void writeValues(std::string_view section, const KeyValues& values) {
        for (const auto& [key, value] : values)
            writeValue(section, key, value);
    }
};

} // namespace lumora::editor
