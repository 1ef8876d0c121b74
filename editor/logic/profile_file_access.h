#pragma once
// The recent-files store on disk: ProfileAccess over the platform's profile files
// (sections and keys without regard to case, missing file reads as empty, every
// write atomic).

#include "editor/logic/profile_access.h"
#include "platform/profile_file.h"

namespace lumora::editor {

class ProfileFileAccess : public ProfileAccess {
public:
    explicit ProfileFileAccess(std::filesystem::path path) : file_(std::move(path)) {}

    std::string readValue(std::string_view section, std::string_view key) override;
    // A store that cannot be written (the program's folder may be read-only) loses
    // the entry; the command that wrote it goes on, as the list is only a convenience.
    void writeValue(std::string_view section, std::string_view key,
                    std::string_view value) override;
    std::vector<std::string> readValues(std::string_view section,
                                        const std::vector<std::string>& keys) override;
    void writeValues(std::string_view section, const KeyValues& values) override;

private:
    platform::ProfileFile file_;
};

} // namespace lumora::editor
