#pragma once
// A settings store held in memory, with the same rules as the file-backed one: sections
// and keys without regard to (ASCII) case, missing keys read as empty.

#include "editor/logic/profile_access.h"

#include <map>
#include <string>

namespace lumora::editor {

class MemoryProfile : public ProfileAccess {
public:
    std::string readValue(std::string_view section, std::string_view key) override;
    void writeValue(std::string_view section, std::string_view key,
                    std::string_view value) override;

    // How many values have been written, to see that a command wrote nothing.
    size_t writeCount() const { return writes_; }
    // Whether the key exists at all (an empty value still counts).
    bool hasKey(std::string_view section, std::string_view key) const;

private:
    static std::string folded(std::string_view section, std::string_view key);
    std::map<std::string, std::string> values_;
    size_t writes_ = 0;
};

} // namespace lumora::editor
