#include "profile_file_access.h"

#include "platform/atomic_file.h"

namespace lumora::editor {

std::string ProfileFileAccess::readValue(std::string_view section, std::string_view key) {
    return file_.readString(section, key);
}

void ProfileFileAccess::writeValue(std::string_view section, std::string_view key,
                                   std::string_view value) {
    try {
        file_.writeString(section, key, value);
    } catch (const platform::FileError&) {
    }
}

} // namespace lumora::editor
