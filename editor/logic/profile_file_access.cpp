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

std::vector<std::string> ProfileFileAccess::readValues(std::string_view section,
                                                       const std::vector<std::string>& keys) {
    const platform::ProfileDocument document = file_.load();
    std::vector<std::string> values;
    values.reserve(keys.size());
    for (const auto& key : keys)
        values.push_back(document.readString(section, key));
    return values;
}

void ProfileFileAccess::writeValues(std::string_view section, const KeyValues& values) {
    try {
        file_.update([&](platform::ProfileDocument& document) {
            for (const auto& [key, value] : values)
                document.writeString(section, key, value);
        });
    } catch (const platform::FileError&) {
    }
}

} // namespace lumora::editor
