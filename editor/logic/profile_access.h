#pragma once
// The little the editor needs of a settings (ini) file: read and write one value of a
// key in a section. The program hands in the real profile-file service; tests hand in
// a MemoryProfile. Sections and keys are compared without regard to case.

#include <string>
#include <string_view>

namespace lumora::editor {

class ProfileAccess {
public:
    virtual ~ProfileAccess() = default;
    // The stored value, or empty when the key, the section or the file is missing.
    virtual std::string readValue(std::string_view section, std::string_view key) = 0;
    // Stores the value, creating the section and the file when needed.
    virtual void writeValue(std::string_view section, std::string_view key,
                            std::string_view value) = 0;
};

} // namespace lumora::editor
